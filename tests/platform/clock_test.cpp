#include "platform/clock.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <ctime>

namespace {

double cpuSeconds() {
    return double(std::clock()) / CLOCKS_PER_SEC;
}

} // namespace

TEST(SystemClockWait, KeepsEventsFlowingWithoutSpinning) {
    SystemClock clock;
    bool fired = false;
    QTimer::singleShot(50, [&] { fired = true; });
    const double cpuBefore = cpuSeconds();
    const double start = clock.now();
    clock.waitSeconds(0.3);
    const double waited = clock.now() - start;
    EXPECT_TRUE(fired) << "a timer due during the wait ran inside it";
    EXPECT_GE(waited, 0.3);
    EXPECT_LT(waited, 2.0);
    EXPECT_LT(cpuSeconds() - cpuBefore, 0.05) << "waiting must not spin";
}

TEST(SystemClockWait, ShutdownEndsARunningWaitAndEveryLaterOne) {
    SystemClock clock;
    QTimer::singleShot(50, [&] { clock.shutdown(); });
    const double start = clock.now();
    clock.waitSeconds(30);
    EXPECT_LT(clock.now() - start, 1.0);
    const double again = clock.now();
    clock.waitSeconds(30);
    clock.waitSecondsBusy(30);
    EXPECT_LT(clock.now() - again, 0.1);
}

TEST(VirtualClockWait, MovesTimeAndCallsTheHook) {
    VirtualClock clock;
    double seen = 0;
    clock.onWait = [&](double s) { seen += s; };
    const double start = clock.now();
    clock.waitSeconds(0.15);
    clock.waitSecondsBusy(0.1);
    EXPECT_DOUBLE_EQ(clock.now() - start, 0.25);
    EXPECT_DOUBLE_EQ(seen, 0.15) << "a busy wait dispatches nothing";
    EXPECT_EQ(clock.waits, 2);
}
