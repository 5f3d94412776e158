#pragma once

#include "platform/lock_key_state.h"

#include <array>
#include <functional>

// Lock keys a test switches; each switch sends the notice, as a key press in any program would,
// unless it is made unseen, as on a lock screen: then only a re-read shows it.
class FakeLockKeys final : public LockKeyState
{
public:
    bool isOn(LockKey key) const override { return m_on[std::size_t(key)]; }
    void setWatching(bool on) override { onSetWatching(on); }
    std::function<void(bool)> onSetWatching = [](bool) {};
    void recheck() override
    {
        ++rechecks;
        Q_EMIT changed();
    }
    int rechecks = 0;

    void set(LockKey key, bool on)
    {
        m_on[std::size_t(key)] = on;
        Q_EMIT changed();
    }
    void setUnseen(LockKey key, bool on) { m_on[std::size_t(key)] = on; }

private:
    std::array<bool, 3> m_on {};
};
