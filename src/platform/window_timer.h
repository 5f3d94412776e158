#pragma once

#include <functional>
#include <memory>

class QObject;

// A timer with the semantics the windows are written against: enabling an enabled timer does not
// restart its count, disabling stops it, an interval of 0 never fires and an interval below the
// platform's 10 ms resolution fires every 10 ms. Ticks arrive on the UI thread.
class WindowTimer
{
public:
    static constexpr int minimumIntervalMs = 10;

    virtual ~WindowTimer() = default;

    void setHandler(std::function<void()> handler) { m_handler = std::move(handler); }

    void setInterval(int ms);
    int interval() const { return m_interval; }

    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }

    // What the timer really waits between ticks for a given interval; 0 means it never fires.
    static int effectiveIntervalMs(int ms);

protected:
    void tick();

private:
    virtual void arm(int effectiveMs) = 0;
    virtual void disarm() = 0;
    void rearm();

    std::function<void()> m_handler;
    int m_interval = 0;
    bool m_enabled = false;
};

class TimerFactory
{
public:
    virtual ~TimerFactory() = default;
    // The timer belongs to the window that creates it; it stops when the window is destroyed.
    virtual std::unique_ptr<WindowTimer> create(QObject *owner) = 0;

    std::unique_ptr<WindowTimer> create(
        QObject *owner, int intervalMs, std::function<void()> handler);
};

class QtTimerFactory final : public TimerFactory
{
public:
    using TimerFactory::create;
    std::unique_ptr<WindowTimer> create(QObject *owner) override;
};
