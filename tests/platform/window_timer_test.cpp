#include "fake_timers.h"
#include "platform/window_timer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <string>
#include <vector>

namespace {

// ---- Semantics, on the fake clock --------------------------------------------------------------

class WindowTimerTest : public ::testing::Test
{
protected:
    // A timer whose ticks are recorded as the clock time they happened at.
    std::unique_ptr<WindowTimer> recordingTimer(int intervalMs, std::vector<int> &ticks)
    {
        return timers.create(
            nullptr, intervalMs, [this, &ticks] { ticks.push_back(timers.now()); });
    }

    FakeTimers timers;
    std::vector<int> ticks;
};

using Ticks = std::vector<int>;

TEST_F(WindowTimerTest, EnabledTimerFiresEveryInterval)
{
    auto timer = recordingTimer(300, ticks);
    timer->setEnabled(true);
    timers.advance(299);
    EXPECT_TRUE(ticks.empty());
    timers.advance(1000);
    EXPECT_EQ(ticks, (Ticks { 300, 600, 900, 1200 }));
}

TEST_F(WindowTimerTest, TimerNeverEnabledNeverFires)
{
    auto timer = recordingTimer(300, ticks);
    timers.advance(5000);
    EXPECT_TRUE(ticks.empty());
    EXPECT_FALSE(timer->isEnabled());
}

TEST_F(WindowTimerTest, EnablingAnEnabledTimerKeepsItsCount)
{
    auto timer = recordingTimer(300, ticks);
    timer->setEnabled(true);
    timers.advance(200);
    timer->setEnabled(true);
    timers.advance(400);
    EXPECT_EQ(ticks, (Ticks { 300, 600 }));
}

TEST_F(WindowTimerTest, DisablingAndEnablingStartsAFreshCount)
{
    auto timer = recordingTimer(300, ticks);
    timer->setEnabled(true);
    timers.advance(200);
    timer->setEnabled(false);
    timer->setEnabled(true);
    timers.advance(700);
    EXPECT_EQ(ticks, (Ticks { 500, 800 }));
}

TEST_F(WindowTimerTest, NewIntervalWhileEnabledStartsAFreshCount)
{
    auto timer = recordingTimer(300, ticks);
    timer->setEnabled(true);
    timers.advance(200);
    timer->setInterval(400);
    timers.advance(1000);
    EXPECT_EQ(ticks, (Ticks { 600, 1000 }));
    EXPECT_EQ(timer->interval(), 400);
}

TEST_F(WindowTimerTest, NewIntervalWhileDisabledDoesNotStartTheTimer)
{
    auto timer = recordingTimer(300, ticks);
    timer->setInterval(100);
    timers.advance(1000);
    EXPECT_TRUE(ticks.empty());
    timer->setEnabled(true);
    timers.advance(250);
    EXPECT_EQ(ticks, (Ticks { 1100, 1200 }));
}

TEST_F(WindowTimerTest, IntervalsBelowTenMillisecondsFireEveryTenAndZeroNever)
{
    const std::pair<int, int> effective[]
        = { { -5, 0 }, { 0, 0 }, { 1, 10 }, { 9, 10 }, { 10, 10 }, { 11, 11 }, { 300, 300 } };
    for (const auto &[interval, expected] : effective)
        EXPECT_EQ(WindowTimer::effectiveIntervalMs(interval), expected) << interval;

    for (int interval = 1; interval <= 9; ++interval) {
        SCOPED_TRACE(interval);
        FakeTimers clock;
        Ticks fired;
        auto timer = clock.create(nullptr, interval, [&] { fired.push_back(clock.now()); });
        timer->setEnabled(true);
        clock.advance(35);
        EXPECT_EQ(fired, (Ticks { 10, 20, 30 }));
    }
}

TEST_F(WindowTimerTest, ZeroIntervalNeverFiresUntilGivenAnInterval)
{
    auto timer = recordingTimer(0, ticks);
    timer->setEnabled(true);
    timers.advance(10000);
    EXPECT_TRUE(ticks.empty());
    EXPECT_TRUE(timer->isEnabled());
    timer->setInterval(50);
    timers.advance(120);
    EXPECT_EQ(ticks, (Ticks { 10050, 10100 }));
}

TEST_F(WindowTimerTest, HandlerThatDisablesItsTimerGetsOneTick)
{
    int count = 0;
    std::unique_ptr<WindowTimer> timer = timers.create(nullptr, 100, [&] {
        ++count;
        timer->setEnabled(false);
    });
    timer->setEnabled(true);
    timers.advance(1000);
    EXPECT_EQ(count, 1);
    EXPECT_FALSE(timer->isEnabled());
}

TEST_F(WindowTimerTest, TwoTimersTickInTimeOrder)
{
    std::vector<std::string> order;
    auto fast = timers.create(
        nullptr, 30, [&] { order.push_back("fast@" + std::to_string(timers.now())); });
    auto slow = timers.create(
        nullptr, 70, [&] { order.push_back("slow@" + std::to_string(timers.now())); });
    fast->setEnabled(true);
    slow->setEnabled(true);
    timers.advance(150);
    EXPECT_EQ(order,
        (std::vector<std::string> {
            "fast@30", "fast@60", "slow@70", "fast@90", "fast@120", "slow@140", "fast@150" }));
}

TEST_F(WindowTimerTest, DestroyedTimerIsNeverFired)
{
    Ticks other;
    auto doomed = recordingTimer(50, ticks);
    auto survivor = recordingTimer(50, other);
    doomed->setEnabled(true);
    survivor->setEnabled(true);
    timers.advance(60);
    doomed.reset();
    timers.advance(100);
    EXPECT_EQ(ticks, (Ticks { 50 }));
    EXPECT_EQ(other, (Ticks { 50, 100, 150 }));
}

TEST_F(WindowTimerTest, TicksHappenOnlyWhileEnabled)
{
    auto timer = recordingTimer(100, ticks);
    timer->setEnabled(true);
    timers.advance(250);
    timer->setEnabled(false);
    timers.advance(1000);
    EXPECT_EQ(ticks, (Ticks { 100, 200 }));
    timer->setEnabled(true);
    timers.advance(100);
    EXPECT_EQ(ticks, (Ticks { 100, 200, 1350 }));
}

// ---- The real timers, on Qt's event loop --------------------------------------------------------

QCoreApplication &application()
{
    static int argc = 1;
    static char name[] = "window_timer_test";
    static char *argv[] = { name, nullptr };
    static QCoreApplication app(argc, argv);
    return app;
}

// Runs the event loop until `done` holds or the generous deadline passes; the deadline only keeps
// a broken timer from hanging the test.
template<typename Done> void processEventsUntil(Done done, int deadlineMs = 5000)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done() && elapsed.elapsed() < deadlineMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

class QtWindowTimerTest : public ::testing::Test
{
protected:
    void SetUp() override { application(); }

    QtTimerFactory factory;
    QObject owner;
};

TEST_F(QtWindowTimerTest, EnabledTimerTicks)
{
    int count = 0;
    auto timer = factory.create(&owner, 20, [&] { ++count; });
    timer->setEnabled(true);
    processEventsUntil([&] { return count >= 2; });
    EXPECT_GE(count, 2);
}

TEST_F(QtWindowTimerTest, DisabledTimerAndTimerOfADestroyedOwnerStaySilent)
{
    int controlTicks = 0;
    int disabledTicks = 0;
    int orphanTicks = 0;
    auto control = factory.create(&owner, 20, [&] { ++controlTicks; });
    auto disabled = factory.create(&owner, 10, [&] { ++disabledTicks; });
    auto shortLivedOwner = std::make_unique<QObject>();
    auto orphan = factory.create(shortLivedOwner.get(), 10, [&] { ++orphanTicks; });
    disabled->setEnabled(true);
    disabled->setEnabled(false);
    orphan->setEnabled(true);
    shortLivedOwner.reset();
    control->setEnabled(true);

    QElapsedTimer elapsed;
    elapsed.start();
    processEventsUntil([&] { return elapsed.elapsed() >= 100 && controlTicks > 0; });
    EXPECT_GT(controlTicks, 0) << "the event loop never ran the timers";
    EXPECT_EQ(disabledTicks, 0);
    EXPECT_EQ(orphanTicks, 0);
}

TEST_F(QtWindowTimerTest, EnablingAgainAndAgainDoesNotHoldOffTheTick)
{
    // Were each enable to restart the count, enabling every few milliseconds would keep a 40 ms
    // timer from ever ticking; slow machines only make the re-enables rarer, never the test fail.
    int count = 0;
    auto timer = factory.create(&owner, 40, [&] { ++count; });
    QTimer reEnable;
    QObject::connect(&reEnable, &QTimer::timeout, &owner, [&] { timer->setEnabled(true); });
    reEnable.start(2);
    timer->setEnabled(true);
    processEventsUntil([&] { return count > 0; }, 2000);
    EXPECT_GT(count, 0);
}

} // namespace
