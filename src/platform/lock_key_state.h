#pragma once

#include <QObject>
#include <memory>

enum class LockKey { NumLock, CapsLock, ScrollLock };

// Whether the keyboard's lock keys are on, as every program sees them, with a notice when one
// changes, so that nothing has to poll the keyboard.
class LockKeyState : public QObject
{
    Q_OBJECT

public:
    virtual bool isOn(LockKey key) const = 0;
    // Where the platform watches the keyboard of every program, stops and starts that; the exit
    // stops it before it saves, which may wait for a file. Where it does not, nothing to do.
    virtual void setWatching(bool) { }
    // Reads the states afresh, for where they may have changed with no notice: on a lock screen,
    // in a program of higher rights, or past a watch the system dropped. The main window asks
    // when it is activated, the status bar every little while it shows; a change is noticed as
    // any other.
    virtual void recheck() { }

Q_SIGNALS:
    void changed();
};

// Where the platform cannot tell (no X server, a session without one), every lock reads as off.
class NoLockKeyState final : public LockKeyState
{
public:
    bool isOn(LockKey) const override { return false; }
};

// The backend of the platform the program runs on. Needs the QGuiApplication.
std::unique_ptr<LockKeyState> createLockKeyState();
