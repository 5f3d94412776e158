#include "platform/lock_key_state.h"

#include "platform/win32/api/lock_keys.h"

#include <QObject>
#include <functional>

namespace {

Win32LockKeys::Key toWin32(LockKey key)
{
    switch (key) {
    case LockKey::NumLock:
        return Win32LockKeys::Key::NumLock;
    case LockKey::CapsLock:
        return Win32LockKeys::Key::CapsLock;
    case LockKey::ScrollLock:
        break;
    }
    return Win32LockKeys::Key::ScrollLock;
}

class Win32LockKeyState final : public LockKeyState
{
public:
    Win32LockKeyState() { setWatching(true); }
    ~Win32LockKeyState() override { Win32LockKeys::stopWatching(); }

    bool isOn(LockKey key) const override { return Win32LockKeys::isOn(toWin32(key)); }
    void recheck() override { Win32LockKeys::resynchronise(); }

    void setWatching(bool on) override
    {
        if (!on)
            Win32LockKeys::stopWatching();
        // The notices come on the watch's own thread, inside the system's key dispatch, which
        // must not wait for the window thread: they are posted, and go out once that thread's
        // event loop is back. Only that thread's view of the keys can mend the count.
        else if (!m_watching) {
            Win32LockKeys::startWatching([this] { post([this] { Q_EMIT changed(); }); },
                [this] { post([this] { recheck(); }); });
            Q_EMIT changed(); // a lock switched while nothing watched
        }
        m_watching = on;
    }

private:
    void post(const std::function<void()> &call)
    {
        QMetaObject::invokeMethod(this, call, Qt::QueuedConnection);
    }

    bool m_watching = false;
};

} // namespace

std::unique_ptr<LockKeyState> createLockKeyState()
{
    return std::make_unique<Win32LockKeyState>();
}
