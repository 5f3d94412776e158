#include "fake_timers.h"

#include <algorithm>

class FakeTimer final : public WindowTimer
{
public:
    explicit FakeTimer(FakeTimers &clock)
        : m_clock(clock)
    {
        m_clock.m_timers.push_back(this);
    }
    ~FakeTimer() override { std::erase(m_clock.m_timers, this); }

    bool armed = false;
    int period = 0;
    int dueAt = 0;

    void fire()
    {
        dueAt += period;
        tick();
    }

private:
    void arm(int effectiveMs) override
    {
        armed = true;
        period = effectiveMs;
        dueAt = m_clock.now() + effectiveMs;
    }
    void disarm() override { armed = false; }

    FakeTimers &m_clock;
};

std::unique_ptr<WindowTimer> FakeTimers::create(QObject *)
{
    return std::make_unique<FakeTimer>(*this);
}

void FakeTimers::advance(int ms)
{
    const int target = m_now + ms;
    for (;;) {
        FakeTimer *next = nullptr;
        for (FakeTimer *timer : m_timers) {
            if (timer->armed && timer->dueAt <= target && (!next || timer->dueAt < next->dueAt))
                next = timer;
        }
        if (!next)
            break;
        m_now = next->dueAt;
        ++m_fired;
        next->fire();
    }
    m_now = target;
}
