// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/interval_timer.h"
#include "test_support/test_application.h"

#include <QElapsedTimer>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace kvarzel {
namespace {

// Times are generous: a loaded machine delivers ticks late, never early.
class TimerTest : public ::testing::Test {
protected:
    void SetUp() override { testing::TestApplication(); }

    // Milliseconds from `clock`'s start to the first tick, or -1 if none
    // came within `limit`.
    static qint64 FirstTick(IntervalTimer& timer, const QElapsedTimer& clock, int limit) {
        QSignalSpy spy(&timer, &IntervalTimer::OnTimer);
        if (!spy.wait(limit - static_cast<int>(clock.elapsed())))
            return -1;
        return clock.elapsed();
    }
};

TEST_F(TimerTest, StartsRunningWithOneSecond) {
    QElapsedTimer clock;
    clock.start();
    IntervalTimer timer;
    EXPECT_EQ(timer.Interval(), 1000);
    EXPECT_TRUE(timer.Enabled());
    const qint64 tick = FirstTick(timer, clock, 2500);
    EXPECT_GE(tick, 990);
}

TEST_F(TimerTest, SettingTheSameIntervalDoesNotRestartTheCountdown) {
    IntervalTimer timer;
    QElapsedTimer clock;
    timer.SetInterval(600);
    clock.start();
    QTest::qWait(300);
    const qint64 setAt = clock.elapsed();
    timer.SetInterval(600);
    const qint64 tick = FirstTick(timer, clock, 3000);
    EXPECT_GE(tick, 590);
    // A restarted countdown could not end before setAt + 600.
    EXPECT_LT(tick, setAt + 590) << "the countdown was restarted";
}

TEST_F(TimerTest, EnablingAnEnabledTimerDoesNotRestartTheCountdown) {
    IntervalTimer timer;
    QElapsedTimer clock;
    timer.SetInterval(600);
    clock.start();
    QTest::qWait(300);
    const qint64 setAt = clock.elapsed();
    timer.SetEnabled(true);
    const qint64 tick = FirstTick(timer, clock, 3000);
    EXPECT_GE(tick, 590);
    EXPECT_LT(tick, setAt + 590) << "the countdown was restarted";
}

TEST_F(TimerTest, ANewIntervalRestartsTheCountdown) {
    IntervalTimer timer;
    QElapsedTimer clock;
    timer.SetInterval(600);
    clock.start();
    QTest::qWait(300);
    const qint64 setAt = clock.elapsed();
    timer.SetInterval(601);
    const qint64 tick = FirstTick(timer, clock, 3000);
    EXPECT_GE(tick, setAt + 595);
}

TEST_F(TimerTest, DisabledTimerAndZeroIntervalNeverFire) {
    IntervalTimer disabled;
    disabled.SetInterval(50);
    disabled.SetEnabled(false);
    IntervalTimer zero;
    zero.SetInterval(0);
    IntervalTimer negative;
    negative.SetInterval(-5);
    QSignalSpy disabledSpy(&disabled, &IntervalTimer::OnTimer);
    QSignalSpy zeroSpy(&zero, &IntervalTimer::OnTimer);
    QSignalSpy negativeSpy(&negative, &IntervalTimer::OnTimer);
    QTest::qWait(300);
    EXPECT_EQ(disabledSpy.count(), 0);
    EXPECT_EQ(zeroSpy.count(), 0);
    EXPECT_TRUE(zero.Enabled());
    EXPECT_EQ(negativeSpy.count(), 0);
    EXPECT_EQ(negative.Interval(), 0);
}

TEST_F(TimerTest, TicksRepeatAndStopWhenDisabled) {
    IntervalTimer timer;
    timer.SetInterval(40);
    QSignalSpy spy(&timer, &IntervalTimer::OnTimer);
    QTRY_VERIFY_WITH_TIMEOUT(spy.count() >= 3, 3000);
    timer.SetEnabled(false);
    const int counted = spy.count();
    QTest::qWait(200);
    EXPECT_EQ(spy.count(), counted);
}

TEST_F(TimerTest, EnablingStartsAFullCountdown) {
    IntervalTimer timer;
    timer.SetEnabled(false);
    timer.SetInterval(300);
    QElapsedTimer clock;
    clock.start();
    timer.SetEnabled(true);
    const qint64 tick = FirstTick(timer, clock, 2000);
    EXPECT_GE(tick, 295);
}

TEST_F(TimerTest, TicksArriveInsideAModalMessageBox) {
    IntervalTimer timer;
    timer.SetInterval(30);
    QSignalSpy spy(&timer, &IntervalTimer::OnTimer);
    QMessageBox box(QMessageBox::Information, "Результат", "Ваша интуиция составляет 50%.");
    int ticksWhileOpen = -1;
    QTimer::singleShot(400, [&] {
        ticksWhileOpen = static_cast<int>(spy.count());
        box.accept();
    });
    box.exec();
    EXPECT_GE(ticksWhileOpen, 3);
}

} // namespace
} // namespace kvarzel
