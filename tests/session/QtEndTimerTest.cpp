#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

#include "session/QtEndTimer.h"

namespace zq {
namespace {

TEST(QtEndTimer, TicksOnceAFullIntervalAfterTheLastStart) {
    QtEndTimer timer(150);
    int ticks = 0;
    QElapsedTimer clock;
    qint64 tickedAt = -1;
    timer.onTimeout = [&] {
        ++ticks;
        tickedAt = clock.elapsed();
    };
    clock.start();
    timer.start();
    QTest::qWait(100);
    EXPECT_EQ(ticks, 0);
    timer.start();  // restarts: the tick moves to 150 ms from here
    EXPECT_TRUE(timer.isActive());
    QTest::qWait(100);
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks > 0; }, 2000));
    EXPECT_EQ(ticks, 1);
    EXPECT_GE(tickedAt, 240);
    EXPECT_FALSE(timer.isActive());  // single shot
    QTest::qWait(250);
    EXPECT_EQ(ticks, 1);
}

TEST(QtEndTimer, StopCancelsThePendingTick) {
    QtEndTimer timer(50);
    int ticks = 0;
    timer.onTimeout = [&] { ++ticks; };
    timer.start();
    timer.stop();
    EXPECT_FALSE(timer.isActive());
    QTest::qWait(120);
    EXPECT_EQ(ticks, 0);
}

TEST(QtEndTimer, DefaultsToOneSecond) {
    QtEndTimer timer;
    timer.start();
    EXPECT_TRUE(timer.isActive());
    QTest::qWait(600);
    EXPECT_TRUE(timer.isActive());
    timer.stop();
}

}  // namespace
}  // namespace zq
