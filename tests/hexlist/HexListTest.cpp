// The listing window driven offscreen through its real widgets, with a scripted Dialogs and a
// recording WindowHost.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <cstdio>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "HexListFakes.h"
#include "capture/Decoder.h"
#include "chart/Listing.h"
#include "hexlist/HexList.h"
#include "session/Dialogs.h"
#include "session/WindowHost.h"

namespace zq {
namespace {

using test::Bits;
using test::CaptureText;
using test::FakeDialogs;
using test::FakeHost;
using test::Hex4;
using test::Word;

SavedView View(int16_t start, int16_t length) {
    SavedView v;
    v.StartPos = start;
    v.DataLen = length;
    v.TrigCentricVal = 16;
    v.ZeroCentricVal = 16;
    v.MarkCursorA = 1008;
    v.MarkCursorB = 1040;
    return v;
}

// The main window's settings at start-up, as it stores them on its first decode.
SavedView MainWindowDefaults() {
    SavedView v = View(1008, 64);
    v.MarkTrig = 1;
    v.MarkCursors = 1;
    return v;
}

struct ShownLine {
    std::string text;
    uint32_t colour;  // 0xRRGGBB; 0x1000000 when the line is not of one colour
};

class HexListWindow : public ::testing::Test {
  protected:
    void openCapture(const std::string& bytes) { test::OpenCapture(state, dir, bytes); }

    HexList& open() {
        window = std::make_unique<HexList>(state, dialogs, host);
        return *window;
    }

    template <class T>
    T* control(const char* name) {
        T* c = window->findChild<T*>(name);
        if (!c) ADD_FAILURE() << "no control " << name;
        return c;
    }
    QLineEdit* box(const char* name) { return control<QLineEdit>(name); }
    QCheckBox* check(const char* name) { return control<QCheckBox>(name); }
    void click(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    void type(const char* name, const QString& text) { box(name)->setText(text); }

    // The lines of the list area with the colour each is shown in; the empty block after the
    // last line end is not a line.
    std::vector<ShownLine> shownLines() {
        std::vector<ShownLine> lines;
        const QTextDocument* doc = control<QPlainTextEdit>("HexListText")->document();
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            if (b.text().isEmpty() && !b.next().isValid()) break;
            ShownLine l{b.text().toStdString(), 0x1000000};
            bool first = true;
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const uint32_t c =
                    it.fragment().charFormat().foreground().color().rgb() & 0xFFFFFFu;
                if (first) l.colour = c;
                if (!first && c != l.colour) l.colour = 0x1000000;
                first = false;
            }
            lines.push_back(l);
        }
        return lines;
    }
    // The sample number a line lists.
    static int Sample(const ShownLine& l) { return std::stoi(l.text.substr(6, 4)); }
    uint32_t colourOf(int sample) {
        for (const ShownLine& l : shownLines())
            if (Sample(l) == sample) return l.colour;
        ADD_FAILURE() << "sample " << sample << " not listed";
        return 0x2000000;
    }

    QTemporaryDir dir;
    CaptureSession state;
    FakeDialogs dialogs;
    FakeHost host;
    std::unique_ptr<HexList> window;
};

// ---- the window as designed ---------------------------------------------------------------

struct ControlCase {
    const char* name;
    const char* kind;  // Qt class
    const char* text;  // caption or text after a build with no capture scanned yet
    int left, top, width, height;
};

TEST_F(HexListWindow, ControlsAreWhereTheyAreDesigned) {
    open();
    const double pixelsPerTwip = window->screen()->logicalDotsPerInch() / 1440.0;
    auto px = [&](int twips) { return qRound(twips * pixelsPerTwip); };
    EXPECT_EQ(window->windowTitle(), "Hex Listing");
    EXPECT_EQ(window->size(), QSize(px(11400), px(8835)));

    const ControlCase controls[] = {
        {"HexListText", "QPlainTextEdit", "", 300, 690, 6375, 7905},
        {"HexListBanner", "QLabel", " - Timing Diagram", 840, 210, 8295, 435},
        {"Label17", "QLabel", "Data Length", 7920, 5490, 1155, 285},
        {"DataLen", "QLineEdit", "2", 9120, 5460, 555, 315},
        {"Update", "QPushButton", "Go !", 9720, 5490, 435, 705},
        {"Label18", "QLabel", "Start Position", 7920, 5850, 1155, 285},
        {"StartPos", "QLineEdit", "0", 9120, 5820, 555, 315},
        {"DecStart", "QPushButton", "<", 10200, 5820, 615, 315},
        {"IncStart", "QPushButton", ">", 10800, 5820, 555, 315},
        {"MarkTrigCheck", "QCheckBox", "", 7980, 6240, 255, 255},
        {"Label19", "QLabel", "Mark Trig", 8220, 6270, 1635, 285},
        {"MarkTrigcentricCheck", "QCheckBox", "", 7980, 6510, 255, 285},
        {"Label20", "QLabel", "Mark from Trig  - every", 8220, 6510, 1635, 285},
        {"TrigCentricVal", "QLineEdit", "0", 9900, 6480, 555, 315},
        {"MarkZerocentricCheck", "QCheckBox", "", 7980, 6810, 255, 285},
        {"Label21", "QLabel", "Mark from Zero - every", 8220, 6810, 1635, 285},
        {"ZeroCentricVal", "QLineEdit", "0", 9900, 6780, 555, 315},
        {"MarkCursorsCheck", "QCheckBox", "", 7980, 7080, 255, 285},
        {"Label22", "QLabel", "Set Cursors - - - - at", 8220, 7110, 1635, 285},
        {"MarkCursorA", "QLineEdit", "0", 9900, 7080, 555, 315},
        {"MarkCursorB", "QLineEdit", "0", 10500, 7080, 555, 315},
        {"MarkCursorDiff", "QLabel", "", 8040, 7410, 1695, 285},
        {"GraphShow", "QPushButton", "Show Graph", 9720, 7860, 1395, 585},
    };
    for (const ControlCase& c : controls) {
        SCOPED_TRACE(c.name);
        QWidget* w = control<QWidget>(c.name);
        ASSERT_NE(w, nullptr);
        EXPECT_STREQ(w->metaObject()->className(), c.kind);
        EXPECT_EQ(w->geometry(), QRect(px(c.left), px(c.top), px(c.width), px(c.height)));
        QString text;
        if (auto* l = qobject_cast<QLabel*>(w)) text = l->text();
        if (auto* e = qobject_cast<QLineEdit*>(w)) text = e->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
        if (auto* t = qobject_cast<QPlainTextEdit*>(w)) text = t->toPlainText();
        EXPECT_EQ(text.toStdString(), c.text);
    }
    EXPECT_TRUE(control<QLabel>("HexListBanner")->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(control<QLabel>("Label17")->alignment() & Qt::AlignRight);
    EXPECT_TRUE(control<QLabel>("Label18")->alignment() & Qt::AlignRight);

    // Each mark switch wears the colour it switches on.
    const std::pair<const char*, uint32_t> backColours[] = {
        {"MarkTrigCheck", kListTrig},
        {"MarkTrigcentricCheck", kListTrigCentric},
        {"MarkZerocentricCheck", kListZeroCentric},
        {"MarkCursorsCheck", kListCursor}};
    for (const auto& [name, colour] : backColours) {
        SCOPED_TRACE(name);
        QCheckBox* c = check(name);
        EXPECT_TRUE(c->autoFillBackground());
        EXPECT_EQ(c->palette().color(QPalette::Window).rgb() & 0xFFFFFFu, colour);
    }

    // The list: read-only, black, fixed pitch.
    auto* list = control<QPlainTextEdit>("HexListText");
    EXPECT_TRUE(list->isReadOnly());
    EXPECT_EQ(list->palette().color(QPalette::Base), QColor(Qt::black));
    EXPECT_TRUE(QFontInfo(list->font()).fixedPitch());
    EXPECT_EQ(QFontInfo(list->font()).family(), "DejaVu Sans Mono");
}

TEST_F(HexListWindow, TabOrderFollowsTheDesign) {
    open();
    const char* order[] = {"GraphShow",
                           "Update",
                           "ZeroCentricVal",
                           "MarkCursorB",
                           "MarkCursorA",
                           "MarkCursorsCheck",
                           "TrigCentricVal",
                           "MarkZerocentricCheck",
                           "MarkTrigcentricCheck",
                           "MarkTrigCheck",
                           "IncStart",
                           "DecStart",
                           "StartPos",
                           "DataLen",
                           "HexListText"};
    const std::set<std::string> ours(std::begin(order), std::end(order));
    std::vector<std::string> chain;
    QWidget* w = control<QWidget>("GraphShow");
    for (int steps = 0; steps < 200 && chain.size() < std::size(order); ++steps) {
        const std::string name = w->objectName().toStdString();
        if (ours.count(name) && w->focusPolicy() != Qt::NoFocus) chain.push_back(name);
        w = w->nextInFocusChain();
    }
    EXPECT_EQ(chain, std::vector<std::string>(std::begin(order), std::end(order)));
}

TEST_F(HexListWindow, UserTypesAtMostFourCharactersWhereTheBoxSaysSo) {
    open();
    const std::pair<const char*, const char*> typed[] = {
        {"StartPos", "1234"},    {"DataLen", "1234"},          {"MarkCursorA", "1234"},
        {"MarkCursorB", "1234"}, {"TrigCentricVal", "123456"}, {"ZeroCentricVal", "123456"}};
    for (const auto& [name, expected] : typed) {
        SCOPED_TRACE(name);
        box(name)->clear();
        QTest::keyClicks(box(name), "123456");
        EXPECT_EQ(box(name)->text(), expected);
    }
    // What the program writes is not cut short: a restored 16-bit value shows whole.
    SavedView restored = state.savedView();
    restored.MarkCursorA = -32768;
    state.setSavedView(restored);
    window->Load();
    EXPECT_EQ(box("MarkCursorA")->text(), "-32768");
}

TEST_F(HexListWindow, OpenedBeforeAnyCaptureWasScanned) {
    open();
    for (const char* name :
         {"StartPos", "TrigCentricVal", "ZeroCentricVal", "MarkCursorA", "MarkCursorB"})
        EXPECT_EQ(box(name)->text(), "0") << name;
    EXPECT_EQ(box("DataLen")->text(), "2");
    for (const char* name :
         {"MarkTrigCheck", "MarkTrigcentricCheck", "MarkZerocentricCheck", "MarkCursorsCheck"})
        EXPECT_EQ(check(name)->checkState(), Qt::Unchecked) << name;
    EXPECT_EQ(control<QLabel>("HexListBanner")->text(), " - Timing Diagram");
    EXPECT_EQ(control<QLabel>("MarkCursorDiff")->text(), "");
    EXPECT_TRUE(shownLines().empty());
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_FALSE(state.reportShown());
}

// ---- the listing ----------------------------------------------------------------------------

TEST_F(HexListWindow, MainWindowSettingsCarriedOver) {
    openCapture(CaptureText());
    state.setSavedView(MainWindowDefaults());
    open();

    EXPECT_EQ(control<QLabel>("HexListBanner")->text().toStdString(),
              state.currentFile() + " - Timing Diagram");
    const std::vector<ShownLine> lines = shownLines();
    ASSERT_EQ(lines.size(), 65u);
    for (int i = 0; i < 65; ++i) {
        const int n = 1008 + i;
        SCOPED_TRACE(n);
        const std::string address = n % 16 == 0 ? Hex4(static_cast<unsigned>(n)) : "    ";
        EXPECT_EQ(lines[i].text, address + " (" + std::to_string(n) + ") = " + Hex4(Word(n)) +
                                     " - " + Bits(Word(n)));
        const uint32_t colour = n == 1024                  ? kListTrig
                                : (n == 1008 || n == 1040) ? kListCursor
                                                           : kListWhite;
        EXPECT_EQ(lines[i].colour, colour);
    }
    EXPECT_EQ(control<QLabel>("MarkCursorDiff")->text(), "Cursor Diff = 32");
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_TRUE(state.reportShown());
    EXPECT_EQ(state.savedView(), MainWindowDefaults());  // a build stores nothing

    // A build that lists neither cursor leaves the caption as it was.
    type("StartPos", "1500");
    click("Update");
    EXPECT_EQ(control<QLabel>("MarkCursorDiff")->text(), "Cursor Diff = 32");
}

TEST_F(HexListWindow, ALineWithAnUnusableAddressIsReportedAndLeftOut) {
    // A header cut by a line end: the line cannot be placed, so its words are not listed and
    // no line of the list is split by the control characters.
    std::string text = CaptureText();
    text.replace(text.find("S 03F0"), 6, "S 03\r\n");
    openCapture(text);
    state.setSavedView(View(0, 2048));
    open();
    const ListingBuild build = BuildListing(state.savedView(), state.currentFile(), state.model());
    const std::vector<ShownLine> lines = shownLines();
    ASSERT_EQ(lines.size(), build.lines.size());
    EXPECT_EQ(lines.size(), 2048u - 16u);
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].text, build.lines[i].text);
        EXPECT_EQ(lines[i].text.find_first_of("\r\n"), std::string::npos);
    }
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_NE(dialogs.boxes[0].text.find(" Address Error in datafile"), std::string::npos);
}

TEST_F(HexListWindow, ShowsTheSameTextAsTheBuilderAndCopiesItPlain) {
    openCapture(CaptureText());
    SavedView v = View(0, 2048);
    v.MarkZerocentric = 1;
    state.setSavedView(v);
    open();
    const ListingBuild build = BuildListing(state.savedView(), state.currentFile(), state.model());
    ASSERT_EQ(build.lines.size(), 2048u);
    auto* list = control<QPlainTextEdit>("HexListText");
    EXPECT_EQ(list->toPlainText().toStdString(), ListingText(build.lines, "\n"));

    list->selectAll();
    list->copy();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), ListingText(build.lines, "\n"));
    EXPECT_FALSE(QApplication::clipboard()->mimeData()->hasHtml());
}

struct MarkCase {
    const char* what;
    uint8_t zero, trigCentric, cursors, trig;
    int16_t zeroInterval, trigInterval, cursorA, cursorB;
    std::vector<std::pair<int, uint32_t>> colours;  // sample -> colour
};

class HexListMarks : public HexListWindow, public ::testing::WithParamInterface<MarkCase> {};

TEST_P(HexListMarks, LinesTakeTheColourOfTheirStrongestMark) {
    const MarkCase& c = GetParam();
    openCapture(CaptureText());
    SavedView v = View(960, 128);
    v.MarkZerocentric = c.zero;
    v.MarkTrigcentric = c.trigCentric;
    v.MarkCursors = c.cursors;
    v.MarkTrig = c.trig;
    v.ZeroCentricVal = c.zeroInterval;
    v.TrigCentricVal = c.trigInterval;
    v.MarkCursorA = c.cursorA;
    v.MarkCursorB = c.cursorB;
    state.setSavedView(v);
    open();
    ASSERT_EQ(shownLines().size(), 129u);
    for (const auto& [sample, colour] : c.colours) {
        SCOPED_TRACE(sample);
        EXPECT_EQ(colourOf(sample), colour);
    }
}

constexpr uint32_t W = kListWhite, G = kListZeroCentric, C = kListTrigCentric, M = kListCursor,
                   R = kListTrig;

INSTANTIATE_TEST_SUITE_P(
    Marks, HexListMarks,
    ::testing::Values(
        MarkCase{"zero-centric every 16",
                 1,
                 0,
                 0,
                 0,
                 16,
                 16,
                 1008,
                 1040,
                 {{960, G}, {976, G}, {1024, G}, {1087, W}, {1088, G}, {1000, W}}},
        MarkCase{"trig-centric every 24, both ways",
                 0,
                 1,
                 0,
                 0,
                 16,
                 24,
                 1008,
                 1040,
                 {{976, C}, {1000, C}, {1024, C}, {1048, C}, {1072, C}, {1008, W}}},
        MarkCase{"cursors", 0, 0, 1, 0, 16, 16, 1000, 1050, {{1000, M}, {1050, M}, {1024, W}}},
        MarkCase{"trigger", 0, 0, 0, 1, 16, 16, 1008, 1040, {{1024, R}, {1008, W}, {1040, W}}},
        MarkCase{"greyed switches count as on",
                 2,
                 0,
                 0,
                 2,
                 16,
                 16,
                 1008,
                 1040,
                 {{1024, R}, {1008, G}, {1009, W}}},
        // Precedence at one sample: trigger over cursor over trig-centric over zero-centric.
        MarkCase{"all on at 1024", 1, 1, 1, 1, 16, 16, 1024, 1024, {{1024, R}, {1040, C}}},
        MarkCase{"cursor over the interval marks",
                 1,
                 1,
                 1,
                 0,
                 16,
                 16,
                 1024,
                 1040,
                 {{1024, M}, {1040, M}, {1056, C}}},
        MarkCase{"trig-centric over zero-centric",
                 1,
                 1,
                 0,
                 0,
                 16,
                 8,
                 0,
                 0,
                 {{1024, C}, {1032, C}, {1040, C}}},
        MarkCase{"zero-centric alone", 1, 0, 0, 0, 16, 8, 0, 0, {{1024, G}, {1032, W}}},
        // An interval of 0 switches its marks off instead of dividing by zero.
        MarkCase{"zero intervals", 1, 1, 0, 0, 0, 0, 0, 0, {{960, W}, {1024, W}}}),
    [](const ::testing::TestParamInfo<MarkCase>& info) {
        std::string name;
        for (const char* p = info.param.what; *p; ++p)
            if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
        return name;
    });

TEST_F(HexListWindow, DigitsOfAWordCutShortCarryIntoTheNextLine) {
    std::string text = CaptureText();
    // Line 03F0 loses the last two digits of its last word (sample 1023).
    const size_t next = text.find("S 0400");
    text.erase(next - 4, 2);
    openCapture(text);
    state.setSavedView(View(1008, 64));
    open();

    const std::vector<ShownLine> lines = shownLines();
    ASSERT_EQ(lines.size(), 64u);  // 1023 never completes a word
    EXPECT_EQ(Sample(lines[14]), 1022);
    const std::string carried = Hex4(Word(1023)).substr(0, 2);
    EXPECT_EQ(lines[15].text, "0400 (1024) = " + carried + Hex4(Word(1024)) + " - " +
                                  Bits(Word(1023)).substr(0, 10) + Bits(Word(1024)));
    EXPECT_EQ(lines[16].text.substr(0, 18), "     (1025) = " + Hex4(Word(1025)));

    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, DamagedLineParagraph("03F0", 1008, 62) +
                                         "\r\nline 64 (03F0): 62 digits, 64 expected\r\n");
    EXPECT_EQ(dialogs.boxes[0].buttons, Buttons::Ok);
    EXPECT_EQ(dialogs.boxes[0].icon, Icon::None);
    EXPECT_EQ(dialogs.boxes[0].title, kProgramTitle);
}

TEST_F(HexListWindow, ReportIsShownOncePerFile) {
    std::string text = CaptureText();
    text.erase(text.find("S 0400") - 4, 2);  // line 03F0 damaged
    openCapture(text);
    state.setSavedView(View(1008, 64));
    open();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(state.reportShown());
    click("Update");
    click("IncStart");
    click("DecStart");
    EXPECT_EQ(dialogs.boxes.size(), 1u);

    // Already shown by the chart before the switch: not again.
    window.reset();
    open();
    EXPECT_EQ(dialogs.boxes.size(), 1u);

    // The file opened again: shown once more.
    openCapture(text);
    open();
    EXPECT_EQ(dialogs.boxes.size(), 2u);
}

TEST_F(HexListWindow, FileWithoutLineStartsListsNothingAndSaysSoOnce) {
    openCapture(CaptureText());
    state.setSavedView(View(1008, 64));
    open();
    ASSERT_EQ(shownLines().size(), 65u);

    openCapture("no capture here 0000 1111\r\n");
    click("Update");
    click("Update");
    EXPECT_TRUE(shownLines().empty());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, NoCaptureText(state.currentFile()));
    // The boxes are not clamped to a file that is no capture.
    EXPECT_EQ(window->boxes().StartPos, "1008");
    EXPECT_EQ(window->boxes().DataLen, "64");
}

TEST_F(HexListWindow, WithTheCaptureClosedTheListStaysAsItWas) {
    openCapture(CaptureText());
    state.setSavedView(View(1008, 64));
    open();
    const std::vector<ShownLine> before = shownLines();
    state.close();
    state.setCurrentFile("");
    type("StartPos", "3000");
    click("Update");
    EXPECT_EQ(shownLines().size(), before.size());
    EXPECT_EQ(shownLines()[0].text, before[0].text);
    EXPECT_EQ(box("StartPos")->text(), "2045");  // the boxes are still normalised
    EXPECT_EQ(box("DataLen")->text(), "2");
    EXPECT_EQ(control<QLabel>("HexListBanner")->text(), " - Timing Diagram");
}

TEST_F(HexListWindow, FirstLineOfAFileNotStartingAtZeroHasNoAddress) {
    std::string text = CaptureText();
    text.erase(0, text.find("S 0010"));
    openCapture(text);
    state.setSavedView(View(0, 20));
    open();
    const std::vector<ShownLine> lines = shownLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].text, " (   0) = " + Hex4(Word(16)) + " - " + Bits(Word(16)));
}

// ---- navigation -----------------------------------------------------------------------------

struct NavCase {
    const char* button;
    const char* start;  // typed before the click
    const char* length;
    int16_t storedStart, storedLength;
    const char* startBox;  // after the rebuild
    const char* lengthBox;
    int firstSample;
    size_t lineCount;
};

class HexListNavigation : public HexListWindow, public ::testing::WithParamInterface<NavCase> {};

TEST_P(HexListNavigation, StepsStoreAndRebuild) {
    const NavCase& c = GetParam();
    openCapture(CaptureText());
    state.setSavedView(MainWindowDefaults());
    open();
    type("StartPos", c.start);
    type("DataLen", c.length);
    click(c.button);
    EXPECT_EQ(state.savedView().StartPos, c.storedStart);
    EXPECT_EQ(state.savedView().DataLen, c.storedLength);
    EXPECT_EQ(box("StartPos")->text(), c.startBox);
    EXPECT_EQ(box("DataLen")->text(), c.lengthBox);
    const std::vector<ShownLine> lines = shownLines();
    ASSERT_EQ(lines.size(), c.lineCount);
    EXPECT_EQ(Sample(lines[0]), c.firstSample);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, HexListNavigation,
    ::testing::Values(NavCase{"IncStart", "1008", "64", 1024, 64, "1024", "64", 1024, 65},
                      NavCase{"DecStart", "1008", "64", 992, 64, "992", "64", 992, 65},
                      // Past the end: 2045 is stored, the build moves the box to 2048 - 64.
                      NavCase{"IncStart", "2040", "64", 2045, 64, "1984", "64", 1984, 64},
                      NavCase{"DecStart", "10", "64", 0, 64, "0", "64", 0, 65},
                      NavCase{"DecStart", "1008", "2", 1007, 3, "1007", "3", 1007, 4},
                      NavCase{"IncStart", "1008", "2", 1009, 2, "1009", "2", 1009, 3},
                      NavCase{"IncStart", "1008", "0", 1009, 2, "1009", "2", 1009, 3},
                      NavCase{"DecStart", "1008", "0", 1007, 3, "1007", "3", 1007, 4},
                      // "Go !" stores as typed: the box shows the normalised window.
                      NavCase{"Update", "1008", "5000", 1008, 5000, "0", "2048", 0, 2048},
                      NavCase{"Update", "100", "0", 100, 0, "100", "2", 100, 1},
                      NavCase{"Update", "100", "1", 100, 1, "100", "2", 100, 2},
                      NavCase{"Update", "12.5", "13.5", 12, 14, "12", "14", 12, 15}));

TEST_F(HexListWindow, GoStoresEveryBoxAsTyped) {
    openCapture(CaptureText());
    state.setSavedView(MainWindowDefaults());
    open();
    type("StartPos", "12.5");
    type("DataLen", "13.5");
    type("TrigCentricVal", "99999");
    type("ZeroCentricVal", "-7.5");
    type("MarkCursorA", "20");
    type("MarkCursorB", "18");
    QTest::mouseClick(check("MarkTrigCheck"), Qt::LeftButton);
    QTest::mouseClick(check("MarkZerocentricCheck"), Qt::LeftButton);
    QTest::mouseClick(check("MarkTrigcentricCheck"), Qt::LeftButton);
    click("Update");

    SavedView expected;
    expected.StartPos = 12;
    expected.DataLen = 14;
    expected.TrigCentricVal = 32767;
    expected.ZeroCentricVal = -8;
    expected.MarkCursorA = 20;
    expected.MarkCursorB = 18;
    expected.MarkTrig = 0;
    expected.MarkZerocentric = 1;
    expected.MarkTrigcentric = 1;
    expected.MarkCursors = 1;
    EXPECT_EQ(state.savedView(), expected);
    EXPECT_EQ(box("TrigCentricVal")->text(), "32767");
    EXPECT_EQ(control<QLabel>("MarkCursorDiff")->text(), "Cursor Diff = 2");
    EXPECT_EQ(colourOf(16), kListZeroCentric);  // 16 / -8 is whole
    EXPECT_EQ(colourOf(18), kListCursor);
}

TEST_F(HexListWindow, TypingCountsOnlyFromTheNextBuild) {
    openCapture(CaptureText());
    state.setSavedView(MainWindowDefaults());
    open();
    QTest::mouseClick(check("MarkZerocentricCheck"), Qt::LeftButton);
    type("StartPos", "0");
    EXPECT_EQ(colourOf(1008), kListCursor);
    EXPECT_EQ(colourOf(1056), kListWhite);
    EXPECT_EQ(state.savedView(), MainWindowDefaults());

    click("Update");
    EXPECT_EQ(colourOf(16), kListZeroCentric);
    EXPECT_EQ(state.savedView().MarkZerocentric, 1);
}

TEST_F(HexListWindow, ShowGraphStoresNothing) {
    openCapture(CaptureText());
    state.setSavedView(MainWindowDefaults());
    open();
    type("StartPos", "500");
    QTest::mouseClick(check("MarkZerocentricCheck"), Qt::LeftButton);
    click("GraphShow");
    EXPECT_EQ(host.timingViewShown, 1);
    EXPECT_EQ(host.hexListShown, 0);
    EXPECT_EQ(state.savedView(), MainWindowDefaults());
    EXPECT_NE(state.file(), nullptr);  // the capture stays open across the switch
}

// ---- bad input -------------------------------------------------------------------------------

struct BadInputCase {
    const char* text;
    int16_t stored;  // what "Go !" stores for it
};

class HexListBadInput
    : public HexListWindow,
      public ::testing::WithParamInterface<std::tuple<const char*, BadInputCase>> {};

TEST_P(HexListBadInput, NeverStopsTheProgram) {
    const auto& [button, bad] = GetParam();
    openCapture(CaptureText());
    SavedView v = MainWindowDefaults();
    v.MarkZerocentric = 1;
    v.MarkTrigcentric = 1;
    state.setSavedView(v);
    open();
    for (const char* name :
         {"StartPos", "DataLen", "TrigCentricVal", "ZeroCentricVal", "MarkCursorA", "MarkCursorB"})
        type(name, bad.text);
    click(button);

    if (std::string(button) == "GraphShow") {
        EXPECT_EQ(state.savedView(), v);
        EXPECT_EQ(host.timingViewShown, 1);
        return;
    }
    if (std::string(button) == "Update") {
        EXPECT_EQ(state.savedView().StartPos, bad.stored);
        EXPECT_EQ(state.savedView().DataLen, bad.stored);
    }
    EXPECT_EQ(state.savedView().TrigCentricVal, bad.stored);
    EXPECT_EQ(state.savedView().MarkCursorA, bad.stored);
    // The window ends in range and lists what its boxes say.
    const int start = box("StartPos")->text().toInt();
    const int length = box("DataLen")->text().toInt();
    EXPECT_GE(start, 0);
    EXPECT_GE(length, 2);
    EXPECT_LE(start + length, 2048);
    const std::vector<ShownLine> lines = shownLines();
    // The listed window ends at the start plus the length as stored, so a negative length
    // lists nothing while the box shows the least length.
    if (state.savedView().DataLen < 0) {
        EXPECT_TRUE(lines.empty());
        return;
    }
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(Sample(lines[0]), start);
    for (const ShownLine& l : lines) EXPECT_NE(l.colour, 0x1000000u) << l.text;
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, HexListBadInput,
    ::testing::Combine(::testing::Values("IncStart", "DecStart", "Update", "GraphShow"),
                       ::testing::Values(BadInputCase{"", 0}, BadInputCase{"  ", 0},
                                         BadInputCase{"abc", 0}, BadInputCase{"1e5", 0},
                                         BadInputCase{"0x10", 0}, BadInputCase{"-", 0},
                                         BadInputCase{"2.5", 2}, BadInputCase{"-3.5", -4},
                                         BadInputCase{"99999", 32767},
                                         BadInputCase{"-99999", -32768},
                                         BadInputCase{"123456789012345678901234567890", 32767})));

}  // namespace
}  // namespace zq
