#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>

#include "app/AppWindows.h"
#include "support/FakeDialogs.h"
#include "timing/TimingChart.h"
#include "timing/TimingView.h"

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
    ProgramState state;
    test::FakeDialogs dialogs;
    AppWindows windows(state, dialogs);
    windows.showTimingView();
    auto* view = qobject_cast<TimingView*>(windows.current());
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->windowTitle(), "Timing View");
    EXPECT_EQ(view->chart()->titleText(), "ZQ350 Logic Analyser - Timing Diagram");
    EXPECT_EQ(VisibleTopLevels(), 1);
}

TEST(AppWindows, ReplacingTheMainWindowUnloadsAndDeletesTheOldOne) {
    ProgramState state;
    test::FakeDialogs dialogs;
    test::FakePort* p = test::InstallFakePort(state);
    AppWindows windows(state, dialogs);
    windows.showTimingView();
    QPointer<QWidget> first = windows.current();
    p->opened = true;
    windows.showTimingView();
    EXPECT_FALSE(p->opened);  // the old window's Unload closed the port
    EXPECT_NE(windows.current(), first.data());
    DeleteLater();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(VisibleTopLevels(), 1);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST(AppWindows, ClosingTheShownWindowUnloadsIt) {
    ProgramState state;
    test::FakeDialogs dialogs;
    test::FakePort* p = test::InstallFakePort(state);
    AppWindows windows(state, dialogs);
    windows.showTimingView();
    p->opened = true;
    EXPECT_TRUE(windows.current()->close());
    EXPECT_FALSE(p->opened);
    EXPECT_EQ(VisibleTopLevels(), 0);
    EXPECT_TRUE(windows.current()->testAttribute(Qt::WA_QuitOnClose));
}

}  // namespace
}  // namespace zq
