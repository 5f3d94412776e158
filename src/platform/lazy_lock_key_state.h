#pragma once

#include "lock_key_state.h"

#include <functional>

// Sets its backend up when first asked. Setting up costs the X server several round trips, which a
// start that shows no lock state need not wait for.
class LazyLockKeyState final : public LockKeyState
{
public:
    using Factory = std::function<std::unique_ptr<LockKeyState>()>;

    explicit LazyLockKeyState(Factory create);
    ~LazyLockKeyState() override;

    bool isOn(LockKey key) const override;
    // A backend not yet set up watches nothing and has nothing to read again, and is not set up
    // for either.
    void setWatching(bool on) override;
    void recheck() override;

private:
    LockKeyState &backend() const;

    Factory m_create;
    mutable std::unique_ptr<LockKeyState> m_backend;
};
