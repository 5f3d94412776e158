#include "window_timer.h"

#include <QObject>
#include <QTimer>

void WindowTimer::setInterval(int ms)
{
    if (ms == m_interval)
        return;
    m_interval = ms;
    // A new interval starts a fresh count: a timer never fires early because of an old one.
    if (m_enabled)
        rearm();
}

void WindowTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (enabled)
        rearm();
    else
        disarm();
}

int WindowTimer::effectiveIntervalMs(int ms)
{
    if (ms <= 0)
        return 0;
    return ms < minimumIntervalMs ? minimumIntervalMs : ms;
}

void WindowTimer::tick()
{
    if (m_enabled && m_handler)
        m_handler();
}

void WindowTimer::rearm()
{
    disarm();
    if (const int ms = effectiveIntervalMs(m_interval))
        arm(ms);
}

std::unique_ptr<WindowTimer> TimerFactory::create(
    QObject *owner, int intervalMs, std::function<void()> handler)
{
    auto timer = create(owner);
    timer->setInterval(intervalMs);
    timer->setHandler(std::move(handler));
    return timer;
}

namespace {

class QtWindowTimer final : public WindowTimer
{
public:
    explicit QtWindowTimer(QObject *owner)
    {
        // No parent for the QTimer: it is a member, and the owner only scopes the connection.
        // Coarse timers may drift by 5 %, which would make a 300 ms deferral visibly uneven.
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, owner, [this] { tick(); });
    }

private:
    void arm(int effectiveMs) override { m_timer.start(effectiveMs); }
    void disarm() override { m_timer.stop(); }

    QTimer m_timer;
};

} // namespace

std::unique_ptr<WindowTimer> QtTimerFactory::create(QObject *owner)
{
    return std::make_unique<QtWindowTimer>(owner);
}
