#pragma once

#include <array>
#include <cstddef>

// The lock keys' toggles as counted from the keyboard's own events, for a platform that tells a
// program of every key in every program but keeps the toggles it shows to the program that has
// the keyboard. A toggle flips when its key goes down, not while the keyboard repeats it; the
// events carry no repeat flag, so the keys held are counted as well. Keys are numbered Num Lock,
// Caps Lock, Scroll Lock.
class LockToggles
{
public:
    // What the system says of a key: its toggle, and whether it is held now, so that the repeats
    // of a key held at this moment count as no new press. True when the toggle differed.
    bool seed(std::size_t key, bool on, bool held)
    {
        const bool changed = m_keys[key].on != on;
        m_keys[key] = { on, held };
        return changed;
    }

    // True when this was a new press, which flipped the toggle.
    bool press(std::size_t key)
    {
        State &state = m_keys[key];
        if (state.held)
            return false;
        state = { !state.on, true };
        return true;
    }

    void release(std::size_t key) { m_keys[key].held = false; }

    bool isOn(std::size_t key) const { return m_keys[key].on; }

private:
    struct State
    {
        bool on = false;
        bool held = false;
    };
    std::array<State, 3> m_keys {};
};
