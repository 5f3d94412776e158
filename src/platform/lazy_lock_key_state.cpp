#include "lazy_lock_key_state.h"

LazyLockKeyState::LazyLockKeyState(Factory create)
    : m_create(std::move(create))
{ }

LazyLockKeyState::~LazyLockKeyState() = default;

bool LazyLockKeyState::isOn(LockKey key) const
{
    return backend().isOn(key);
}

void LazyLockKeyState::setWatching(bool on)
{
    if (m_backend)
        m_backend->setWatching(on);
}

void LazyLockKeyState::recheck()
{
    if (m_backend)
        m_backend->recheck();
}

LockKeyState &LazyLockKeyState::backend() const
{
    if (!m_backend) {
        m_backend = m_create();
        if (!m_backend)
            m_backend = std::make_unique<NoLockKeyState>();
        connect(m_backend.get(), &LockKeyState::changed, this, &LockKeyState::changed);
    }
    return *m_backend;
}
