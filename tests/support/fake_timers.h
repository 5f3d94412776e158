#pragma once

#include "platform/window_timer.h"

#include <vector>

// Window timers on a virtual clock: advance() fires every tick that falls due, in time order,
// so a test walks through 300 ms or 9 s of timer work without waiting.
class FakeTimers final : public TimerFactory
{
public:
    using TimerFactory::create;
    std::unique_ptr<WindowTimer> create(QObject *owner) override;

    void advance(int ms);
    int now() const { return m_now; }
    // How many ticks have fired so far: the wake-ups a real timer would have cost.
    int fired() const { return m_fired; }

private:
    friend class FakeTimer;
    std::vector<class FakeTimer *> m_timers;
    int m_now = 0;
    int m_fired = 0;
};
