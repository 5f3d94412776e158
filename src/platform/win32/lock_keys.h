#pragma once

// The lock keys through the Win32 API, kept free of Qt so that it can be built and tried on its
// own with any Windows compiler.

#include <functional>

namespace Win32LockKeys {

enum class Key { NumLock, CapsLock, ScrollLock };

// Whether the key's toggle is on.
bool isOn(Key key);

// Calls onRelease after a lock key was released in any program, on the thread that called this,
// which must run a message loop. One watch at a time; false when the system refuses the hook.
bool startWatching(std::function<void()> onRelease);
void stopWatching();

} // namespace Win32LockKeys
