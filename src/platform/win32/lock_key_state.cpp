#include "platform/lock_key_state.h"

#include "platform/win32/api/lock_keys.h"

#include <QGuiApplication>

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
    Win32LockKeyState()
    {
        setWatching(true);
        // Once the user is back in the program, its thread's view of the keys is theirs again and
        // mends a count that went wrong while another program had the keyboard.
        connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    Win32LockKeys::resynchronise();
            });
    }
    ~Win32LockKeyState() override { Win32LockKeys::stopWatching(); }

    bool isOn(LockKey key) const override { return Win32LockKeys::isOn(toWin32(key)); }

    void setWatching(bool on) override
    {
        if (!on)
            Win32LockKeys::stopWatching();
        // The notice comes on the watch's own thread, inside the system's key dispatch, which
        // must not wait for the window thread: it is posted, and goes out once that thread's
        // event loop is back.
        else if (!m_watching) {
            Win32LockKeys::startWatching([this] {
                QMetaObject::invokeMethod(
                    this, [this] { Q_EMIT changed(); }, Qt::QueuedConnection);
            });
            Q_EMIT changed(); // a lock switched while nothing watched
        }
        m_watching = on;
    }

private:
    bool m_watching = false;
};

} // namespace

std::unique_ptr<LockKeyState> createLockKeyState()
{
    return std::make_unique<Win32LockKeyState>();
}
