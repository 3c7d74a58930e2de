// The main window driven through its real widgets, offscreen, with scripted dialogs.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "chart/ChartData.h"
#include "session/CaptureWriter.h"
#include "support/CaptureText.h"
#include "support/FakeDialogs.h"
#include "timing/TimingView.h"
#include "view/ViewSettings.h"
#include "widgets/TimingChart.h"

namespace zq {
namespace {

using test::FakeDialogs;
using test::FakeHost;

// Channel c's value in a grid built from word w (low b + 0.1, high b + 0.9).
float Level(uint16_t word, int channel) {
    return static_cast<float>(channel) + ((word >> channel) & 1 ? 0.9f : 0.1f);
}

class TimingViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("zq_timing_view_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
        words = test::CounterWords();
    }
    void TearDown() override {
        view.reset();
        std::filesystem::remove_all(dir);
    }

    std::string writeCapture(const std::string& name, const std::string& text) {
        const std::string path = (dir / name).string();
        test::WriteFile(path, text);
        return path;
    }
    // A capture whose line 0x0400 (samples 1024..1039) has only 15 words.
    std::string damagedCapture() {
        std::string text = test::CaptureText(words);
        const size_t at = test::LineOffset(text, 0x0400);
        text.erase(at + 7, 5);  // "S 0400 " then the first word and its blank
        return writeCapture("damaged.txt", text);
    }

    void open() { view = std::make_unique<TimingView>(state, program.device, dialogs, host); }
    template <class W>
    W* child(const char* name) {
        W* w = view->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(const char* name) {
        QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton);
    }
    void setText(const char* name, const char* text) { child<QLineEdit>(name)->setText(text); }
    std::string text(const char* name) { return child<QLineEdit>(name)->text().toStdString(); }
    const ChartGrid& grid() { return view->chart()->chartData(); }
    void load(const std::string& path) {
        dialogs.files.push_back(path);
        click("Load");
    }

    std::filesystem::path dir;
    std::vector<uint16_t> words;
    test::TestProgram program;
    CaptureSession& state = program.capture;
    FakeDialogs& dialogs = program.dialogs;
    FakeHost host;
    std::unique_ptr<TimingView> view;
};

TEST_F(TimingViewTest, StartsWithTheCounterPatternAndDefaults) {
    open();
    EXPECT_EQ(view->windowTitle(), "Timing View");
    EXPECT_EQ(view->chart()->titleText(), "ZQ350 Logic Analyser - Timing Diagram");
    const ChartGrid& g = grid();
    ASSERT_EQ(g.GridLength(), 128);
    for (int s = 0; s <= 128; ++s) {
        for (int c = 0; c < 16; ++c)
            // The pattern puts channel c's band on trace c + 1.
            ASSERT_FLOAT_EQ(g.at(c + 1, s), c + ((s >> (c % 8)) & 1 ? 0.9f : 0.1f))
                << "sample " << s << " channel " << c;
        for (int t : {0, 17, 19, 20}) ASSERT_EQ(g.at(t, s), 0.0f);
        ASSERT_EQ(g.at(kTrigTrace, s), s == 64 ? 16.0f : 0.0f);
    }
    // Channels 7 and 15 rise only at the last sample.
    EXPECT_FLOAT_EQ(g.at(16, 127), 15.1f);
    EXPECT_FLOAT_EQ(g.at(16, 128), 15.9f);
    EXPECT_FLOAT_EQ(g.at(8, 128), 7.9f);

    const auto& labels = view->chart()->columnLabels();
    ASSERT_EQ(labels.size(), 129u);
    EXPECT_EQ(labels[0], "");
    EXPECT_EQ(labels[3], "1011");
    EXPECT_EQ(labels[7], "1015");
    EXPECT_EQ(labels[16], "Trig");
    EXPECT_EQ(labels[64], "");  // the trigger mark's sample, not labelled
    EXPECT_EQ(labels[127], "1135");

    EXPECT_EQ(view->boxes(), ViewBoxes{});
    EXPECT_EQ(child<QLabel>("MarkCursorDiff")->text(), "");
    EXPECT_EQ(state.savedView(), SavedView{});
    EXPECT_FLOAT_EQ(state.levels().LevelBase, 0.1f);
    EXPECT_FLOAT_EQ(state.levels().LevelSwing, 0.8f);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(TimingViewTest, LoadDrawsTheFileAndReportsItsDamageOnce) {
    open();
    // Damage in the window, damage beyond it and a premature end: the report of the whole
    // file, whatever the window.
    std::string text = test::CaptureText(words, 0, 115);
    text.erase(test::LineOffset(text, 0x0700) + 7, 5);
    text.erase(test::LineOffset(text, 0x0400) + 7, 5);
    const std::string path = writeCapture("damaged.txt", text);
    load(path);

    ASSERT_EQ(dialogs.opens.size(), 1u);
    const OpenLogSettings& asked = dialogs.opens[0];
    EXPECT_EQ(asked.DialogTitle, "Open ZQ350 File ...");
    EXPECT_EQ(asked.Filter, "All Files (*.*)|*.*|Text Files (*.txt)|*.txt");
    EXPECT_EQ(asked.FilterIndex, 2);
    EXPECT_EQ(asked.FileName, "");

    EXPECT_EQ(state.currentFile(), path);
    EXPECT_EQ(view->chart()->titleText(), path + " - Timing Diagram");
    ASSERT_TRUE(state.file());
    ASSERT_EQ(grid().GridLength(), 64);
    EXPECT_FLOAT_EQ(grid().at(TraceOfChannel(3), 0), Level(words[1008], 3));
    EXPECT_FLOAT_EQ(grid().at(TraceOfChannel(12), 15), Level(words[1023], 12));
    EXPECT_EQ(grid().at(kTrigTrace, 20), kHighlightLevel);  // damaged line highlighted
    EXPECT_EQ(child<QLabel>("MarkCursorDiff")->text(), "Cursor Diff = 32");

    ASSERT_EQ(dialogs.boxes.size(), 1u);
    for (const char* part : {"line is 0400", "line is 0700", "Premature End of data"})
        EXPECT_NE(dialogs.boxes[0].text.find(part), std::string::npos) << part;
    EXPECT_EQ(dialogs.boxes[0].buttons, Buttons::Ok);
    EXPECT_EQ(dialogs.boxes[0].icon, Icon::None);
    EXPECT_EQ(dialogs.boxes[0].title, kProgramTitle);
    EXPECT_TRUE(state.reportShown());

    // Further redraws of the same file do not report again...
    click("IncStart");
    click("MarkTrigCheck");
    click("Update");
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    // ...but loading it again does.
    load(path);
    EXPECT_EQ(dialogs.boxes.size(), 2u);
}

TEST_F(TimingViewTest, TheReportBoxStandsBeforeTheCorrectedBoxes) {
    open();
    setText("StartPos", "-1000");
    setText("DataLen", "9999");
    std::string startWhileShown, lengthWhileShown;
    dialogs.whileBoxShown = [&] {
        startWhileShown = text("StartPos");
        lengthWhileShown = text("DataLen");
    };
    load(damagedCapture());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(lengthWhileShown, "2048");
    EXPECT_EQ(startWhileShown, "0");
    EXPECT_EQ(text("StartPos"), "0");
}

TEST_F(TimingViewTest, AnUndamagedFileDrawsWithoutAnyBox) {
    open();
    setText("StartPos", "1500");
    setText("DataLen", "32");
    load(writeCapture("good.txt", test::CaptureText(words)));
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(text("StartPos"), "1500");  // loading keeps the window typed before
    ASSERT_EQ(grid().GridLength(), 32);
    for (int s = 0; s <= 32; ++s)
        ASSERT_FLOAT_EQ(grid().at(TraceOfChannel(7), s), Level(words[1500 + s], 7));
    EXPECT_EQ(view->chart()->columnLabels()[0], "1500");
    EXPECT_EQ(state.savedView().StartPos, 1500);
    EXPECT_EQ(state.savedView().DataLen, 32);
}

TEST_F(TimingViewTest, CancelClosesTheFileAndKeepsTheDrawing) {
    open();
    const std::string path = writeCapture("good.txt", test::CaptureText(words));
    load(path);
    const ChartGrid before = grid();
    dialogs.files.push_back(std::nullopt);
    click("Load");
    EXPECT_FALSE(state.file());
    EXPECT_EQ(state.currentFile(), path);
    EXPECT_EQ(view->chart()->titleText(), path + " - Timing Diagram");
    EXPECT_EQ(grid(), before);
    // With no file open the arrows change the text only.
    click("IncStart");
    EXPECT_EQ(text("StartPos"), "1024");
    EXPECT_EQ(grid(), before);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(TimingViewTest, AFileThatCannotBeOpenedShowsTheSystemsText) {
    open();
    const ChartGrid before = grid();
    const std::string missing = (dir / "gone.txt").string();
    load(missing);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, missing + ": " + std::strerror(ENOENT));
    EXPECT_EQ(dialogs.boxes[0].icon, Icon::Exclamation);
    EXPECT_EQ(dialogs.boxes[0].buttons, Buttons::Ok);
    EXPECT_EQ(dialogs.boxes[0].title, kProgramTitle);
    EXPECT_FALSE(state.file());
    EXPECT_EQ(state.currentFile(), missing);
    EXPECT_EQ(view->chart()->titleText(), missing + " - Timing Diagram");
    EXPECT_EQ(grid(), before);
}

TEST_F(TimingViewTest, FileOpenMenuLoadsLikeTheButton) {
    open();
    QMenu* file = view->menuBar()->findChild<QMenu*>("MnuFile");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->title(), "&File");
    QAction* openFile = view->findChild<QAction*>("OpenFile");
    ASSERT_NE(openFile, nullptr);
    EXPECT_EQ(openFile->text(), "&Open");
    dialogs.files.push_back(writeCapture("good.txt", test::CaptureText(words)));
    openFile->trigger();
    EXPECT_TRUE(state.file());
    EXPECT_EQ(dialogs.opens.size(), 1u);
}

struct NavFlow {
    const char* name;
    const char* button;
    const char* start;
    const char* len;
    const char* wantStart;  // after the handler and the redraw's own limits
    const char* wantLen;
};

class TimingViewNavigation : public TimingViewTest,
                             public ::testing::WithParamInterface<NavFlow> {};

TEST_P(TimingViewNavigation, ClicksMoveTheWindowAndRedraw) {
    const NavFlow& f = GetParam();
    open();
    load(writeCapture("good.txt", test::CaptureText(words)));
    setText("StartPos", f.start);
    setText("DataLen", f.len);
    click(f.button);
    EXPECT_EQ(text("StartPos"), f.wantStart);
    EXPECT_EQ(text("DataLen"), f.wantLen);
    const int start = std::stoi(f.wantStart);
    EXPECT_FLOAT_EQ(grid().at(TraceOfChannel(0), 0), Level(words[static_cast<size_t>(start)], 0));
    EXPECT_EQ(state.savedView().StartPos, start);
    EXPECT_TRUE(dialogs.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Flows, TimingViewNavigation,
    ::testing::Values(NavFlow{"Forward", "IncStart", "1008", "64", "1024", "64"},
                      NavFlow{"Back", "DecStart", "1008", "64", "992", "64"},
                      NavFlow{"ForwardPastTheEnd", "IncStart", "2040", "64", "1984", "64"},
                      NavFlow{"BackPastZero", "DecStart", "5", "64", "0", "64"},
                      NavFlow{"ForwardShortLength", "IncStart", "1008", "1", "1009", "2"},
                      NavFlow{"BackShortLength", "DecStart", "1008", "1", "1007", "3"},
                      NavFlow{"GoShortLength", "Update", "1008", "1", "1008", "3"},
                      NavFlow{"GoLetters", "Update", "x1", "ab", "0", "3"},
                      NavFlow{"GoHugeLength", "Update", "10", "9999", "0", "2048"},
                      NavFlow{"GoStartBeyondCapture", "Update", "2046", "64", "1984", "64"},
                      NavFlow{"ForwardFraction", "IncStart", "12.5", "64", "28", "64"},
                      NavFlow{"BackNegative", "DecStart", "-5", "8", "0", "8"}),
    [](const auto& info) { return info.param.name; });

TEST_F(TimingViewTest, GoWithAnEmptyStartDrawsNothing) {
    open();
    load(writeCapture("good.txt", test::CaptureText(words)));
    const ChartGrid before = grid();
    const SavedView saved = state.savedView();
    setText("StartPos", "");
    setText("DataLen", "1");
    click("Update");
    EXPECT_EQ(text("DataLen"), "3");
    EXPECT_EQ(text("StartPos"), "");
    EXPECT_EQ(grid(), before);
    EXPECT_EQ(state.savedView(), saved);
}

TEST_F(TimingViewTest, TypingDoesNotRedraw) {
    open();
    load(writeCapture("good.txt", test::CaptureText(words)));
    const ChartGrid before = grid();
    QLineEdit* start = child<QLineEdit>("StartPos");
    start->selectAll();
    QTest::keyClicks(start, "1500");
    QTest::keyClicks(child<QLineEdit>("MarkCursorA"), "7");
    EXPECT_EQ(start->text(), "1500");
    EXPECT_EQ(grid(), before);
    click("Update");
    EXPECT_FLOAT_EQ(grid().at(TraceOfChannel(0), 0), Level(words[1500], 0));
}

TEST_F(TimingViewTest, MarkCheckBoxesAddAndRemoveTheirMarks) {
    open();
    load(writeCapture("good.txt", test::CaptureText(words)));
    ASSERT_EQ(grid().at(kTrigTrace, 16), kMarkLevel);  // sample 1024
    click("MarkTrigCheck");
    EXPECT_EQ(child<QCheckBox>("MarkTrigCheck")->checkState(), Qt::Unchecked);
    EXPECT_EQ(grid().at(kTrigTrace, 16), 0.0f);
    EXPECT_EQ(state.savedView().MarkTrig, 0);

    setText("ZeroCentricVal", "100");
    click("MarkZerocentricCheck");
    for (int s = 0; s <= 64; ++s)
        EXPECT_EQ(grid().at(kZeroCentricTrace, s), (1008 + s) % 100 == 0 ? kMarkLevel : 0.0f);

    setText("TrigCentricVal", "5");
    click("MarkTrigcentricCheck");
    for (int s = 0; s <= 64; ++s)
        EXPECT_EQ(grid().at(kTrigCentricTrace, s), (1008 + s - 1024) % 5 == 0 ? kMarkLevel : 0.0f);

    ASSERT_EQ(grid().at(kCursorTrace, 0), kMarkLevel);
    ASSERT_EQ(grid().at(kCursorTrace, 32), kMarkLevel);
    click("MarkCursorsCheck");
    for (int s = 0; s <= 64; ++s) EXPECT_EQ(grid().at(kCursorTrace, s), 0.0f);
    // The caption keeps the last distance while the cursors are off.
    EXPECT_EQ(child<QLabel>("MarkCursorDiff")->text(), "Cursor Diff = 32");

    // Bad intervals and cursors never stop a redraw.
    setText("ZeroCentricVal", "0");
    setText("TrigCentricVal", "zz");
    setText("MarkCursorA", "q");
    click("MarkCursorsCheck");
    for (int s = 0; s <= 64; ++s) {
        EXPECT_EQ(grid().at(kZeroCentricTrace, s), 0.0f);
        EXPECT_EQ(grid().at(kTrigCentricTrace, s), 0.0f);
    }
    EXPECT_EQ(grid().at(kCursorTrace, 32), kMarkLevel);
    EXPECT_EQ(grid().at(kCursorTrace, 0), 0.0f);
}

TEST_F(TimingViewTest, AnyTextInTheMarkBoxesRedrawsAndStoresA16BitValue) {
    open();
    load(writeCapture("good.txt", test::CaptureText(words)));
    click("MarkZerocentricCheck");
    click("MarkTrigcentricCheck");
    const struct {
        const char* text;
        int16_t stored;
    } cases[] = {{"", 0},
                 {"abc", 0},
                 {"-16", -16},
                 {"2.5", 2},
                 {"3.5", 4},
                 {"99999999999999999999", 32767},
                 {"-99999999999", -32768},
                 {" 8 ", 8},
                 {"1e3", 0},
                 {"0x10", 0}};
    for (const auto& c : cases) {
        for (const char* box : {"TrigCentricVal", "ZeroCentricVal"}) setText(box, c.text);
        // Cursor boxes hold at most 4 characters, as the design limits them.
        for (const char* box : {"MarkCursorA", "MarkCursorB"}) setText(box, c.text);
        click("Update");
        EXPECT_EQ(state.savedView().TrigCentricVal, c.stored) << c.text;
        EXPECT_EQ(state.savedView().ZeroCentricVal, c.stored) << c.text;
        EXPECT_EQ(grid().GridLength(), 64) << c.text;
    }
}

TEST_F(TimingViewTest, ReloadedWindowRestoresEveryValueBeforeItsOneRedraw) {
    open();
    const std::string path = damagedCapture();
    load(path);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    view.reset();

    SavedView saved;
    saved.StartPos = 1500;
    saved.DataLen = 32;
    saved.TrigCentricVal = 10;
    saved.ZeroCentricVal = 100;
    saved.MarkCursorA = 1510;
    saved.MarkCursorB = 1527;
    saved.MarkTrigcentric = 1;
    saved.MarkZerocentric = 1;
    saved.MarkTrig = 0;
    saved.MarkCursors = 1;
    state.setSavedView(saved);
    open();

    EXPECT_EQ(text("StartPos"), "1500");
    EXPECT_EQ(text("DataLen"), "32");
    EXPECT_EQ(text("TrigCentricVal"), "10");
    EXPECT_EQ(text("ZeroCentricVal"), "100");
    EXPECT_EQ(text("MarkCursorA"), "1510");
    EXPECT_EQ(text("MarkCursorB"), "1527");
    EXPECT_EQ(child<QCheckBox>("MarkTrigCheck")->checkState(), Qt::Unchecked);
    EXPECT_EQ(child<QCheckBox>("MarkTrigcentricCheck")->checkState(), Qt::Checked);
    EXPECT_EQ(child<QCheckBox>("MarkZerocentricCheck")->checkState(), Qt::Checked);
    EXPECT_EQ(child<QCheckBox>("MarkCursorsCheck")->checkState(), Qt::Checked);
    EXPECT_EQ(state.savedView(), saved);  // the redraw stored what it restored
    EXPECT_EQ(view->chart()->titleText(), path + " - Timing Diagram");
    // The one redraw already used every restored value.
    ASSERT_EQ(grid().GridLength(), 32);
    EXPECT_EQ(grid().at(kTrigCentricTrace, 4), kMarkLevel);  // 1504 = 1024 + 48 * 10
    EXPECT_EQ(grid().at(kZeroCentricTrace, 0), kMarkLevel);  // 1500
    EXPECT_EQ(grid().at(kCursorTrace, 27), kMarkLevel);      // 1527
    EXPECT_EQ(child<QLabel>("MarkCursorDiff")->text(), "Cursor Diff = 17");
    EXPECT_EQ(dialogs.boxes.size(), 1u);  // the report is not shown again
}

TEST_F(TimingViewTest, ReloadedWindowWithoutAFileShowsThePatternAndDefaults) {
    open();
    setText("StartPos", "1500");
    click("MarkTrigCheck");
    view.reset();
    open();
    EXPECT_EQ(view->boxes(), ViewBoxes{});
    EXPECT_EQ(grid(), StartupPattern());
    EXPECT_EQ(view->chart()->titleText(), "ZQ350 Logic Analyser - Timing Diagram");
}

TEST_F(TimingViewTest, WhileBytesArriveClosingAsksAndTextListShowsWhatArrived) {
    open();
    view->show();
    const std::string read = (dir / "read.txt").string();
    program.startRead(read);
    program.port->pending = test::CaptureText(words, 0, 10);
    program.device.OnComm(comEvReceive);
    ASSERT_EQ(program.device.readState(), ReadState::Receiving);

    dialogs.answers = {AnswerNo};
    EXPECT_FALSE(view->close());  // answered No: the read goes on
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].buttons, Buttons::YesNo);
    EXPECT_EQ(program.device.readState(), ReadState::Receiving);

    // "Text List" ends the read first, so the listing shows the capture its banner names.
    click("TextList");
    EXPECT_EQ(host.hexListShown, 1);
    EXPECT_EQ(program.device.readState(), ReadState::Idle);
    ASSERT_TRUE(state.file());
    EXPECT_EQ(state.file()->path(), read);
    EXPECT_EQ(state.currentFile(), read);
}

TEST_F(TimingViewTest, UnloadClosesWriterAndPortSilentlyOnce) {
    program.startRead((dir / "read.txt").string());
    test::FakePort* p = program.port;
    ASSERT_TRUE(p && p->opened && program.device.writer());
    open();
    view->show();
    view->close();
    EXPECT_FALSE(program.device.writer());
    EXPECT_FALSE(p->opened);
    view->Unload();
    EXPECT_EQ(p->closes, 1);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(TimingViewTest, ClosingWithNothingToCloseIsQuiet) {
    open();
    view->show();
    EXPECT_TRUE(view->close());
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(TimingViewTest, ReadFromDeviceAsksForAFileAndACancelStartsNothing) {
    open();
    dialogs.files.push_back(std::nullopt);
    click("ReadZQ350");
    ASSERT_EQ(dialogs.opens.size(), 1u);
    EXPECT_EQ(dialogs.opens[0].DialogTitle, "Save ZQ350 File as ...");
    EXPECT_FALSE(program.port && program.port->isOpen());
    EXPECT_FALSE(program.device.writer());
    // The dialog is the window's one OpenLog: the load that follows makes its own settings,
    // and the entry it chooses is where the next read's dialog starts.
    dialogs.files.push_back(std::nullopt);
    click("Load");
    EXPECT_EQ(dialogs.opens[1].DialogTitle, "Open ZQ350 File ...");
    dialogs.files.push_back(std::nullopt);
    click("ReadZQ350");
    ASSERT_EQ(dialogs.opens.size(), 3u);
    EXPECT_EQ(dialogs.opens[2].DialogTitle, "Save ZQ350 File as ...");
    EXPECT_EQ(dialogs.opens[2].FilterIndex, 2);
}

TEST_F(TimingViewTest, TextListAsksTheHostForTheListing) {
    open();
    click("TextList");
    EXPECT_EQ(host.hexListShown, 1);
}

TEST_F(TimingViewTest, AFileChangedUnderTheWindowNeverCrashesARedraw) {
    open();
    const std::string path = writeCapture("good.txt", test::CaptureText(words));
    load(path);
    // Deleted: the open file still reads as it was.
    std::filesystem::remove(path);
    click("IncStart");
    EXPECT_FLOAT_EQ(grid().at(TraceOfChannel(0), 0), Level(words[1024], 0));
    // Emptied and filled with garbage: the redraw copes and the window keeps working.
    const std::string other = writeCapture("other.txt", test::CaptureText(words));
    load(other);
    test::WriteFile(other, std::string("\0\xff garbage S", 12));
    click("IncStart");
    click("DecStart");
    test::WriteFile(other, "");
    const std::string start = text("StartPos");
    click("Update");
    EXPECT_EQ(text("StartPos"), start);  // an empty file is no capture: nothing to clamp to
    EXPECT_TRUE(view->isEnabled());

    // Rewritten under the window: the next redraw shows the file as it now is.
    auto changed = words;
    changed[1008] = 0xFFFF;
    test::WriteFile(other, test::CaptureText(changed));
    click("Update");
    EXPECT_FLOAT_EQ(grid().at(TraceOfChannel(0), 0), Level(0xFFFF, 0));
}

TEST_F(TimingViewTest, ShowsTheReadsProgressOnItsOwnLineAndDrawsTheCaptureItCompletes) {
    open();
    emit program.device.statusChanged("Receiving ... 1234 bytes");
    EXPECT_EQ(child<QLabel>("ReadStatus")->text(), "Receiving ... 1234 bytes");
    emit program.device.statusChanged("");
    EXPECT_EQ(child<QLabel>("ReadStatus")->text(), "");

    const std::string path = writeCapture("read.txt", test::CaptureText(words));
    std::string error;
    ASSERT_TRUE(state.open(path, error)) << error;
    emit program.device.captureComplete();
    EXPECT_EQ(view->chart()->titleText(), path + " - Timing Diagram");
    EXPECT_EQ(grid().at(1, 0), Level(words[1008], 12));
}

TEST_F(TimingViewTest, ExportedPictureIsWhatTheWindowShows) {
    open();
    const std::string path = writeCapture("good.txt", test::CaptureText(words));
    setText("StartPos", "1030");
    setText("DataLen", "40");
    setText("ZeroCentricVal", "7");
    load(path);
    click("MarkZerocentricCheck");
    click("MarkCursorsCheck");
    const QImage shown =
        view->findChild<QWidget*>("TimingViewClient")
            ->grab(QRect(QPoint(0, 0), ChartArea::VisibleSize(TwipScale::ForWidget(view.get()))))
            .toImage()
            .convertToFormat(QImage::Format_RGB32);

    const QString out = QString::fromStdString((dir / "out.png").string());
    QProcess tool;
    tool.start(ZQ_CAPTURE_TOOL,
               {"render", QString::fromStdString(path), "-o", out, "--start", "1030", "--length",
                "40", "--zero-every", "7", "--cursors", "off"});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QImage exported = QImage(out).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(exported.size(), shown.size());
    EXPECT_TRUE(exported == shown) << "the exported picture differs from the window";
}

// The designed controls: kind, text, size and place at 96 dpi, tab order.
struct ControlRow {
    const char* name;
    const char* kind;  // "QLineEdit", "QCheckBox", "QLabel", "QPushButton"
    const char* text;
    int left, top, width, height;
    int maxLength;  // 0: no limit of the design
};

TEST_F(TimingViewTest, ControlsMatchTheDesign) {
    open();
    if (view->logicalDpiY() != 96) GTEST_SKIP() << "pixel sizes are checked at 96 dpi";
    const ControlRow rows[] = {
        {"Label17", "QLabel", "Data Length", 24, 456, 77, 19, 0},
        {"DataLen", "QLineEdit", "64", 104, 454, 37, 21, 4},
        {"Label18", "QLabel", "Start Position", 24, 480, 77, 19, 0},
        {"StartPos", "QLineEdit", "1008", 104, 478, 37, 21, 4},
        {"Update", "QPushButton", "Go !", 144, 456, 29, 47, 0},
        {"DecStart", "QPushButton", "<", 176, 478, 41, 21, 0},
        {"IncStart", "QPushButton", ">", 216, 478, 37, 21, 0},
        {"MarkTrigCheck", "QCheckBox", "", 280, 454, 17, 17, 0},
        {"Label19", "QLabel", "Mark Trig", 296, 456, 109, 19, 0},
        {"MarkTrigcentricCheck", "QCheckBox", "", 280, 472, 17, 19, 0},
        {"Label20", "QLabel", "Mark from Trig  - every", 296, 472, 109, 19, 0},
        {"TrigCentricVal", "QLineEdit", "16", 408, 470, 37, 21, 0},
        {"MarkZerocentricCheck", "QCheckBox", "", 280, 492, 17, 19, 0},
        {"Label21", "QLabel", "Mark from Zero - every", 296, 492, 109, 19, 0},
        {"ZeroCentricVal", "QLineEdit", "16", 408, 490, 37, 21, 0},
        {"MarkCursorsCheck", "QCheckBox", "", 280, 510, 17, 19, 0},
        {"Label22", "QLabel", "Set Cursors - - - - at", 296, 512, 109, 19, 0},
        {"MarkCursorA", "QLineEdit", "1008", 408, 510, 37, 21, 4},
        {"MarkCursorB", "QLineEdit", "1040", 448, 510, 37, 21, 4},
        {"MarkCursorDiff", "QLabel", "", 284, 532, 113, 19, 0},
        {"Load", "QPushButton", "Load  from Disk", 532, 464, 81, 33, 0},
        {"ReadZQ350", "QPushButton", "Read  from ZQ350", 616, 464, 81, 33, 0},
        {"TextList", "QPushButton", "Text List", 580, 508, 69, 33, 0},
        {"TimingChart1", "zq::TimingChart", "", 24, -22, 969, 475, 0},
    };
    for (const ControlRow& r : rows) {
        QWidget* w = child<QWidget>(r.name);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->inherits(r.kind)) << r.name << " is a " << w->metaObject()->className();
        EXPECT_EQ(w->geometry(), QRect(r.left, r.top, r.width, r.height)) << r.name;
        EXPECT_TRUE(w->isEnabled()) << r.name;
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            EXPECT_EQ(e->text(), r.text) << r.name;
            EXPECT_EQ(e->maxLength(), r.maxLength ? r.maxLength : 32767) << r.name;
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            EXPECT_EQ(l->text(), r.text) << r.name;
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_EQ(b->text(), r.text) << r.name;
        }
    }
    const std::pair<const char*, QColor> backs[] = {{"MarkTrigCheck", QColor(255, 128, 128)},
                                                    {"MarkTrigcentricCheck", QColor(0, 255, 255)},
                                                    {"MarkZerocentricCheck", QColor(128, 255, 128)},
                                                    {"MarkCursorsCheck", QColor(255, 0, 255)}};
    for (const auto& [name, colour] : backs) {
        auto* c = child<QCheckBox>(name);
        EXPECT_TRUE(c->autoFillBackground()) << name;
        EXPECT_EQ(c->palette().color(QPalette::Window), colour) << name;
    }
    // Channel labels: right-aligned, 22 pixels apart, "15" at the top.
    const std::pair<const char*, int> labels[] = {{"Label11", 15}, {"Label6", 13}, {"Label16", 8},
                                                  {"Label7", 7},   {"Label5", 4},  {"Label1", 0}};
    for (const auto& [name, channel] : labels) {
        auto* l = child<QLabel>(name);
        EXPECT_EQ(l->text(), QString::number(channel));
        EXPECT_EQ(l->geometry(), QRect(0, 46 + (15 - channel) * 22, 23, 17)) << name;
        EXPECT_TRUE(l->alignment() & Qt::AlignRight);
    }
    // Tab order of the focusable controls follows the design's tab indices.
    const char* order[] = {"Load",
                           "TimingChart1",
                           "ReadZQ350",
                           "DataLen",
                           "StartPos",
                           "DecStart",
                           "IncStart",
                           "MarkTrigCheck",
                           "MarkTrigcentricCheck",
                           "MarkZerocentricCheck",
                           "TrigCentricVal",
                           "MarkCursorsCheck",
                           "MarkCursorA",
                           "MarkCursorB",
                           "ZeroCentricVal",
                           "Update",
                           "TextList"};
    QWidget* w = child<QWidget>("Load");
    for (size_t i = 1; i < std::size(order); ++i) {
        do w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(view.get()) ||
               w->objectName().isEmpty());
        EXPECT_EQ(w->objectName(), order[i]) << "after " << order[i - 1];
    }
}

}  // namespace
}  // namespace zq
