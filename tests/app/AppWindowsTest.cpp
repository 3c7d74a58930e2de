#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>

#include "app/AppWindows.h"
#include "support/FakeDialogs.h"
#include "timing/TimingView.h"
#include "widgets/TimingChart.h"

namespace zq {
namespace {

int VisibleTopLevels() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->isWindow() && !w->inherits("QMenu")) ++n;
    return n;
}

void DeleteLater() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

TEST(AppWindows, StartShowsTheMainWindowWithTheStartupPattern) {
    test::TestProgram program;
    test::FakeDialogs& dialogs = program.dialogs;
    AppWindows windows(program.capture, program.device, dialogs);
    windows.showTimingView();
    auto* view = qobject_cast<TimingView*>(windows.current());
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->windowTitle(), "Timing View");
    EXPECT_EQ(view->chart()->titleText(), "ZQ350 Logic Analyser - Timing Diagram");
    EXPECT_EQ(VisibleTopLevels(), 1);
}

TEST(AppWindows, ReplacingTheMainWindowUnloadsAndDeletesTheOldOne) {
    test::TestProgram program;
    test::FakeDialogs& dialogs = program.dialogs;
    AppWindows windows(program.capture, program.device, dialogs);
    windows.showTimingView();
    QPointer<QWidget> first = windows.current();
    QTemporaryDir dir;
    program.startRead(dir.filePath("read.txt").toStdString());
    test::FakePort* p = program.port;
    ASSERT_TRUE(p && p->opened);
    windows.showTimingView();
    EXPECT_FALSE(p->opened);  // the old window's Unload closed the port
    EXPECT_NE(windows.current(), first.data());
    DeleteLater();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(VisibleTopLevels(), 1);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST(AppWindows, ClosingTheShownWindowUnloadsIt) {
    test::TestProgram program;
    test::FakeDialogs& dialogs = program.dialogs;
    AppWindows windows(program.capture, program.device, dialogs);
    windows.showTimingView();
    QTemporaryDir dir;
    program.startRead(dir.filePath("read.txt").toStdString());
    test::FakePort* p = program.port;
    ASSERT_TRUE(p && p->opened);
    EXPECT_TRUE(windows.current()->close());
    EXPECT_FALSE(p->opened);
    EXPECT_EQ(VisibleTopLevels(), 0);
    EXPECT_TRUE(windows.current()->testAttribute(Qt::WA_QuitOnClose));
}

}  // namespace
}  // namespace zq
