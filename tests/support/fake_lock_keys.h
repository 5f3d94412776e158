#pragma once

#include "platform/lock_key_state.h"

#include <array>
#include <functional>

// Lock keys a test switches; each switch sends the notice, as a key press in any program would.
class FakeLockKeys final : public LockKeyState
{
public:
    bool isOn(LockKey key) const override { return m_on[std::size_t(key)]; }
    void setWatching(bool on) override { onSetWatching(on); }
    std::function<void(bool)> onSetWatching = [](bool) {};

    void set(LockKey key, bool on)
    {
        m_on[std::size_t(key)] = on;
        Q_EMIT changed();
    }

private:
    std::array<bool, 3> m_on {};
};
