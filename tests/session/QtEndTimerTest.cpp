#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include "session/QtEndTimer.h"

namespace zq {
namespace {

TEST(QtEndTimer, IsAPreciseTimerOfItsInterval) {
    const QtEndTimer shipped;
    EXPECT_EQ(shipped.intervalMs(), 1000);
    EXPECT_EQ(shipped.timerType(), Qt::PreciseTimer);
    EXPECT_FALSE(shipped.isActive());
    EXPECT_EQ(QtEndTimer(150).intervalMs(), 150);
}

// An interval of 0 is due at the event loop's next pass, so what the timer does when due needs
// no waiting on the clock.
TEST(QtEndTimer, TicksOnceWhenDueAndNeverAfterStop) {
    QtEndTimer timer(0);
    int ticks = 0;
    timer.onTimeout = [&] { ++ticks; };

    timer.start();
    EXPECT_TRUE(timer.isActive());
    timer.stop();
    EXPECT_FALSE(timer.isActive());
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(ticks, 0);

    timer.start();
    timer.start();  // a restart replaces the pending tick, it adds none
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks > 0; }));
    EXPECT_FALSE(timer.isActive());  // single shot
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(ticks, 1);
}

}  // namespace
}  // namespace zq
