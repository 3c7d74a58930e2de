// The switch between the diagram and the listing through the program's own window host: one
// window at a time, the view settings carried only through SavedView, the capture kept open and
// its report shown once across both windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <memory>
#include <string>

#include "HexListFakes.h"
#include "app/AppWindows.h"
#include "hexlist/HexList.h"
#include "timing/TimingView.h"

namespace zq {
namespace {

class WindowSwitch : public ::testing::Test {
  protected:
    void SetUp() override {
        QApplication::setQuitOnLastWindowClosed(false);
        windows = std::make_unique<AppWindows>(state, program.device, dialogs);
    }
    void TearDown() override {
        windows.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void openCapture(const std::string& bytes) { test::OpenCapture(state, dir, bytes); }

    // Runs what the click left to the event loop: the old window's deletion.
    void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    void click(const char* name) {
        auto* b = windows->current()->findChild<QPushButton*>(name);
        ASSERT_NE(b, nullptr) << name;
        QTest::mouseClick(b, Qt::LeftButton);
        settle();
    }
    void type(const char* name, const char* text) {
        auto* e = windows->current()->findChild<QLineEdit*>(name);
        ASSERT_NE(e, nullptr) << name;
        e->setText(text);
    }
    void toggle(const char* name) {
        auto* c = windows->current()->findChild<QCheckBox*>(name);
        ASSERT_NE(c, nullptr) << name;
        c->click();
    }
    TimingView* diagram() { return qobject_cast<TimingView*>(windows->current()); }
    HexList* listing() { return qobject_cast<HexList*>(windows->current()); }

    int windowsAlive() {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<TimingView*>(w) || qobject_cast<HexList*>(w)) ++n;
        return n;
    }

    QTemporaryDir dir;
    test::TestProgram program;
    CaptureSession& state = program.capture;
    test::FakeDialogs& dialogs = program.dialogs;
    std::unique_ptr<AppWindows> windows;
};

TEST_F(WindowSwitch, SettingsCrossBothWaysThroughSavedView) {
    openCapture(test::CaptureText());
    windows->showTimingView();
    settle();
    ASSERT_NE(diagram(), nullptr);
    CaptureFile* const file = state.file();

    type("StartPos", "300");
    type("DataLen", "100");
    type("TrigCentricVal", "8");
    type("ZeroCentricVal", "5");
    type("MarkCursorA", "310");
    type("MarkCursorB", "350");
    toggle("MarkZerocentricCheck");
    toggle("MarkTrigcentricCheck");
    toggle("MarkTrigCheck");
    click("Update");
    const ViewBoxes onDiagram = diagram()->boxes();

    click("TextList");
    ASSERT_NE(listing(), nullptr);
    EXPECT_EQ(windowsAlive(), 1);
    EXPECT_EQ(listing()->boxes(), onDiagram);
    EXPECT_EQ(state.file(), file);

    type("StartPos", "400");
    type("DataLen", "50");
    type("MarkCursorB", "420");
    toggle("MarkCursorsCheck");
    click("Update");
    const ViewBoxes onListing = listing()->boxes();
    click("GraphShow");
    ASSERT_NE(diagram(), nullptr);
    EXPECT_EQ(windowsAlive(), 1);
    EXPECT_EQ(diagram()->boxes(), onListing);
    EXPECT_EQ(diagram()->boxes().StartPos, "400");
    EXPECT_NE(onListing.MarkCursorsCheck, onDiagram.MarkCursorsCheck);
    EXPECT_EQ(state.file(), file);
}

TEST_F(WindowSwitch, TypingWithoutGoIsDroppedByShowGraph) {
    openCapture(test::CaptureText());
    windows->showTimingView();
    settle();
    const ViewBoxes before = diagram()->boxes();
    click("TextList");
    type("StartPos", "700");
    toggle("MarkZerocentricCheck");
    click("GraphShow");
    ASSERT_NE(diagram(), nullptr);
    EXPECT_EQ(diagram()->boxes(), before);
}

TEST_F(WindowSwitch, ReportIsShownOnceAcrossBothWindows) {
    std::string text = test::CaptureText();
    text.erase(text.find("S 0400") - 4, 2);  // line 03F0 damaged, inside the window
    openCapture(text);
    SavedView v;
    v.StartPos = 1008;
    v.DataLen = 64;
    state.setSavedView(v);
    windows->showTimingView();
    settle();
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    click("TextList");
    click("Update");
    click("GraphShow");
    click("Update");
    EXPECT_EQ(dialogs.boxes.size(), 1u);
}

TEST_F(WindowSwitch, ListingFirstToScanAFileShowsItsReport) {
    std::string text = test::CaptureText();
    text.erase(text.find("S 0400") - 4, 2);
    windows->showTimingView();
    settle();
    click("TextList");
    openCapture(text);  // as if the file had been opened without the diagram scanning it
    type("StartPos", "1008");
    type("DataLen", "64");
    click("Update");
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    click("GraphShow");
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(state.reportShown());
}

}  // namespace
}  // namespace zq
