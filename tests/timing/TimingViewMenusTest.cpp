// The main window's keys, menus, read controls, drops and growth, through its real widgets.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <set>

#include "capture/DecodedCapture.h"
#include "export/Export.h"
#include "support/CaptureText.h"
#include "support/FakeDialogs.h"
#include "timing/TimingView.h"
#include "view/SetupJson.h"
#include "widgets/ChartArea.h"
#include "widgets/ScrollFit.h"
#include "widgets/TimingChart.h"
#include "zq/Version.h"

namespace zq {
namespace {

class TimingViewMenus : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings().clear();
        capture = dir.filePath("capture.txt").toStdString();
        test::WriteFile(capture, test::CaptureText());
        view = std::make_unique<TimingView>(program.capture, program.device, program.dialogs, host);
    }
    template <class W>
    W* child(const char* name) {
        W* w = view->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void trigger(const char* action) { child<QAction>(action)->trigger(); }
    void load(const std::string& path) {
        program.dialogs.files.push_back(path);
        QTest::mouseClick(child<QPushButton>("Load"), Qt::LeftButton);
    }
    std::string path(const char* name) { return dir.filePath(name).toStdString(); }
    std::string title() { return view->chart()->titleText(); }

    QTemporaryDir dir;
    std::string capture;
    test::TestProgram program;
    test::FakeHost host;
    std::unique_ptr<TimingView> view;
};

// Enter applies a box as "Go !" (window boxes) or a check box's click (marks) would.
TEST_F(TimingViewMenus, EnterInABoxRedrawsWithItsValue) {
    load(capture);
    const struct {
        const char* box;
        const char* text;
        int16_t SavedView::*stored;
        int16_t value;
    } cases[] = {{"DataLen", "32", &SavedView::DataLen, 32},
                 {"StartPos", "500", &SavedView::StartPos, 500},
                 {"TrigCentricVal", "8", &SavedView::TrigCentricVal, 8},
                 {"ZeroCentricVal", "4", &SavedView::ZeroCentricVal, 4},
                 {"MarkCursorA", "510", &SavedView::MarkCursorA, 510},
                 {"MarkCursorB", "520", &SavedView::MarkCursorB, 520}};
    for (const auto& c : cases) {
        auto* box = child<QLineEdit>(c.box);
        box->setText(c.text);
        EXPECT_NE(program.capture.savedView().*c.stored, c.value) << c.box;  // typing alone
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(program.capture.savedView().*c.stored, c.value) << c.box;
    }
    EXPECT_EQ(view->chart()->chartData().GridLength(), 32);
    EXPECT_EQ(child<QLabel>("MarkCursorDiff")->text().toStdString(), "Cursor Diff = 10");
}

// A read shows Stop and a bar of lines received; Esc or Stop ends it: with bytes the capture
// so far is finished and drawn, without any the read just ends.
TEST_F(TimingViewMenus, EscOrStopEndsAWaitingRead) {
    view->show();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    for (const bool withBytes : {false, true})
        for (const bool byEsc : {false, true}) {
            SCOPED_TRACE(testing::Message() << "bytes " << withBytes << " esc " << byEsc);
            const std::string read = path(withBytes ? "read-bytes.txt" : "read-empty.txt");
            std::filesystem::remove(read);
            program.startRead(read);
            auto* stop = child<QPushButton>("StopRead");
            auto* bar = child<QProgressBar>("ReadProgressBar");
            EXPECT_TRUE(stop->isVisible() && bar->isVisible());
            if (withBytes) {
                std::string text = test::CaptureText();
                text.resize(test::LineOffset(text, 0x0400) + 20);  // stopped within line 0400
                program.port->pending = text;
                program.device.OnComm(2);
                EXPECT_EQ(bar->value(), 0x40 + 1);
                EXPECT_EQ(program.device.readState(), ReadState::Receiving);
            }
            if (byEsc)
                QTest::keyClick(child<QLineEdit>("StartPos"), Qt::Key_Escape);
            else
                QTest::mouseClick(stop, Qt::LeftButton);
            EXPECT_EQ(program.device.readState(), ReadState::Idle);
            EXPECT_FALSE(stop->isVisible() || bar->isVisible());
            EXPECT_FALSE(program.port->opened);
            EXPECT_EQ(program.capture.isOpen(), withBytes);
            if (withBytes) {
                EXPECT_EQ(title(), read + kChartTitleSuffix);
            }
        }
    EXPECT_EQ(program.dialogs.saves, 4);  // the read's dialog is a save dialog
}

TEST_F(TimingViewMenus, MenuActionsRunTheButtonsHandlers) {
    trigger("ViewTextList");
    EXPECT_EQ(host.hexListShown, 1);
    EXPECT_EQ(child<QAction>("OpenFile")->shortcut(), QKeySequence::Open);
    program.dialogs.files.push_back(capture);
    trigger("OpenFile");
    EXPECT_EQ(title(), capture + kChartTitleSuffix);
    trigger("About");
    ASSERT_EQ(program.dialogs.boxes.size(), 1u);
    EXPECT_NE(program.dialogs.boxes[0].text.find(kVersion), std::string::npos);
    view->show();
    program.startRead(path("read.txt"));
    trigger("Quit");
    EXPECT_FALSE(view->isVisible());
    EXPECT_FALSE(program.port->opened);  // quitting unloads the window and ends the read
}

TEST_F(TimingViewMenus, ExportsWriteTheWholeCaptureAndNeverTheCaptureItself) {
    load(capture);
    child<QLineEdit>("DataLen")->setText("8");  // the window shown does not limit an export
    QTest::keyClick(child<QLineEdit>("DataLen"), Qt::Key_Return);
    program.dialogs.files = {path("out.csv"), path("out.vcd"), path("out.png")};
    trigger("ExportCsv");
    trigger("ExportVcd");
    trigger("ExportPng");
    QFile csv(dir.filePath("out.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    std::string error;
    auto file = CaptureFile::open(capture, error);
    ASSERT_TRUE(file);
    EXPECT_EQ(csv.readAll().toStdString(), exports::Csv(DecodeCapture(*file)));
    QFile vcd(dir.filePath("out.vcd"));
    ASSERT_TRUE(vcd.open(QIODevice::ReadOnly));
    EXPECT_TRUE(vcd.readAll().contains("capture.txt"));
    EXPECT_EQ(QImage(dir.filePath("out.png")).size(), ChartArea::VisibleSize(TwipScale(96)));
    EXPECT_EQ(program.dialogs.saves, 3);
    EXPECT_TRUE(program.dialogs.boxes.empty());

    // Replacing the capture with its own export or picture is refused after the question, bytes
    // intact.
    program.dialogs.files = {capture, capture};
    program.dialogs.answers = {AnswerYes, AnswerOk, AnswerYes};  // Replace?, the refusal, Replace?
    trigger("ExportCsv");
    trigger("ExportPng");
    ASSERT_EQ(program.dialogs.boxes.size(), 4u);
    EXPECT_NE(program.dialogs.boxes[0].text.find("Replace existing file"), std::string::npos);
    EXPECT_EQ(program.dialogs.boxes[3].text.find(capture + ": is the capture"), 0u);
    QFile in(QString::fromStdString(capture));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll().toStdString(), test::CaptureText());
}

// A setup opened from its file names the channel labels and is kept for the next run; a bad
// file changes nothing; Save Setup writes what is in use.
TEST_F(TimingViewMenus, SetupFilesNameTheChannelsAndAreKept) {
    const std::string good = path("board.json"), bad = path("bad.json"), saved = path("saved.json");
    test::WriteFile(good, R"({"channels": [{"channel": 0, "name": "CLK"}]})");
    test::WriteFile(bad, R"({"channels": [{"channel": 0, "name": "A:B"}]})");
    program.dialogs.files = {bad, good, saved};
    program.dialogs.answers = {AnswerOk};
    trigger("OpenSetup");
    ASSERT_EQ(program.dialogs.boxes.size(), 1u);
    EXPECT_EQ(program.dialogs.boxes[0].text.find(bad + ": channels[0].name"), 0u);
    EXPECT_EQ(view->findChild<QLabel*>(ChannelLabelName(0))->text(), "0");
    trigger("OpenSetup");
    EXPECT_EQ(view->findChild<QLabel*>(ChannelLabelName(0))->text(), "CLK");
    EXPECT_EQ(view->findChild<QLabel*>(ChannelLabelName(1))->text(), "1");
    ASSERT_TRUE(TimingView::KeptSetup());
    EXPECT_EQ(TimingView::KeptSetup()->channels[0].name, "CLK");
    trigger("SaveSetup");
    QFile file(QString::fromStdString(saved));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), SaveSetup(program.capture.setup()));
    // A new window shows the setup in use.
    view = std::make_unique<TimingView>(program.capture, program.device, program.dialogs, host);
    EXPECT_EQ(view->findChild<QLabel*>(ChannelLabelName(0))->text(), "CLK");
}

TEST_F(TimingViewMenus, RecentFilesAreTheLastEightLoadsAndReopen) {
    std::vector<std::string> loaded;
    for (int i = 0; i < 10; ++i) {
        loaded.push_back(path(("c" + std::to_string(i) + ".txt").c_str()));
        test::WriteFile(loaded.back(), test::CaptureText());
        load(loaded.back());
    }
    load(loaded[5]);  // again: moves to the front, no duplicate
    const std::vector<std::string> expected = {loaded[5], loaded[9], loaded[8], loaded[7],
                                               loaded[6], loaded[4], loaded[3], loaded[2]};
    EXPECT_EQ(TimingView::RecentFiles(), expected);

    // A new window (a new run) lists them; choosing one loads it without a dialog.
    view = std::make_unique<TimingView>(program.capture, program.device, program.dialogs, host);
    const size_t dialogsBefore = program.dialogs.opens.size();
    trigger("Recent3");
    EXPECT_EQ(title(), loaded[8] + kChartTitleSuffix);
    EXPECT_TRUE(program.capture.isOpen());
    EXPECT_EQ(program.dialogs.opens.size(), dialogsBefore);
    EXPECT_EQ(TimingView::RecentFiles().front(), loaded[8]);
}

TEST_F(TimingViewMenus, DroppedFileLoadsAsLoadFromDisk) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(capture))});
    // A drop reaches only the window that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_TRUE(program.capture.isOpen());
    EXPECT_EQ(title(), capture + kChartTitleSuffix);
    EXPECT_EQ(TimingView::RecentFiles(), std::vector<std::string>{capture});
}

TEST_F(TimingViewMenus, GrowingWindowGrowsTheChartAndKeepsControlsAtTheBottom) {
    view->show();
    const auto geometry = [&](const char* name) { return child<QWidget>(name)->geometry(); };
    const QRect chart = view->chart()->geometry(), load = geometry("Load"),
                cursorA = geometry("MarkCursorA"), label0 = geometry("Label1");
    const QSize before = view->size();
    view->resize(before + QSize(300, 200));
    QApplication::processEvents();
    EXPECT_EQ(view->chart()->size(), chart.size() + QSize(300, 200));
    EXPECT_EQ(geometry("Load"), load.translated(0, 200));
    EXPECT_EQ(geometry("MarkCursorA"), cursorA.translated(0, 200));
    // Channel 0's label stays beside its band's centre.
    const double band = view->chart()->y() + view->chart()->valueToY(0.5);
    EXPECT_NEAR(geometry("Label1").center().y(), band, 1.5);
    EXPECT_GT(geometry("Label1").y(), label0.y());
}

// A screen smaller than the design (a laptop's, or any at scale 2): the window shrinks, its
// client keeps the design and scrolls, and every control can be scrolled into view.
TEST_F(TimingViewMenus, SmallWindowScrollsToEveryControl) {
    view->show();
    QApplication::processEvents();
    const QSize design = child<QWidget>("TimingViewClient")->size();
    auto* scroll = child<QScrollArea>("TimingViewClientScroll");
    EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());  // at the design size, no bars
    EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());
    view->resize(640, 360);
    QApplication::processEvents();
    EXPECT_EQ(view->size(), QSize(640, 360));
    EXPECT_EQ(child<QWidget>("TimingViewClient")->size(), design);
    for (const char* name : {"TextList", "MarkCursorB", "Load", "DataLen"}) {
        auto* w = child<QWidget>(name);
        scroll->ensureWidgetVisible(w, 0, 0);
        const QRect inViewport(w->mapTo(scroll->viewport(), QPoint(0, 0)), w->size());
        EXPECT_TRUE(scroll->viewport()->rect().contains(inViewport)) << name;
    }
    // A window made for a screen smaller than the design opens within it.
    QWidget probe;
    probe.move(5000, 5000);
    FitToScreen(&probe, QSize(4000, 3000));
    EXPECT_TRUE(probe.screen()->availableGeometry().contains(probe.geometry())) << "fits";
}

TEST_F(TimingViewMenus, EveryControlIsNamedAndReachableWithTab) {
    view->show();
    std::set<QWidget*> chain;
    QWidget* w = child<QWidget>("Load");
    for (int i = 0; i < 200 && chain.insert(w).second; ++i) w = w->nextInFocusChain();
    for (QWidget* c : view->findChildren<QWidget*>()) {
        const bool control = c->inherits("QAbstractButton") || c->inherits("QLineEdit") ||
                             c->inherits("QLabel") || c->inherits("QProgressBar") ||
                             c == view->chart();
        if (!control || c->parentWidget()->inherits("QMenuBar")) continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
        ASSERT_NE(a, nullptr) << c->objectName().toStdString();
        EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << c->objectName().toStdString();
        if (c->focusPolicy() & Qt::TabFocus) {
            EXPECT_TRUE(chain.count(c)) << c->objectName().toStdString();
        }
        // What a control does is a hover away.
        if (c->inherits("QAbstractButton") || c->inherits("QLineEdit")) {
            EXPECT_FALSE(c->toolTip().isEmpty()) << c->objectName().toStdString();
        }
    }
    // Help > Keyboard and Mouse lists the gestures.
    child<QAction>("KeyboardAndMouse")->trigger();
    ASSERT_FALSE(program.dialogs.boxes.empty());
    EXPECT_NE(program.dialogs.boxes.back().text.find("Ctrl+drag: zoom to the dragged range"),
              std::string::npos);
}

}  // namespace
}  // namespace zq
