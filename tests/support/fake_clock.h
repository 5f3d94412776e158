#pragma once

#include "fake_timers.h"
#include "platform/clock.h"

// Wall-clock time that moves on with the fake timers, so that a test advancing them sees the
// minutes and days turn.
class FakeClock final : public Clock
{
public:
    FakeClock(const FakeTimers &timers, const QDateTime &start)
        : m_timers(timers)
        , m_start(start)
    { }

    QDateTime now() const override { return m_start.addMSecs(m_timers.now()); }

private:
    const FakeTimers &m_timers;
    QDateTime m_start;
};
