#pragma once

// The lock keys through the Win32 API, kept free of Qt so that it can be built and tried on its
// own with any Windows compiler.

#include <functional>

namespace Win32LockKeys {

enum class Key { NumLock, CapsLock, ScrollLock };

// Whether the key's toggle is on: while a watch runs, as the keys pressed in every program have
// left it; otherwise as this thread has seen its own keyboard input.
bool isOn(Key key);

// Calls onChange after a lock key's toggle changed in any program, and onSessionBack when the user
// is back in the session after it was locked or disconnected: keys pressed on the lock
// screen reach no watch, so the toggles are worth taking afresh (resynchronise()). The keys are
// watched on a thread of the watch's own, which calls both; they must only hand the notice on, as
// the key waits meanwhile. Call these from one thread, the one whose view of the keys is the
// user's. One watch at a time; false when the system refuses the hook.
bool startWatching(std::function<void()> onChange, std::function<void()> onSessionBack);
// Returns once nothing watches the keys any more.
void stopWatching();

// Takes the toggles afresh from this thread's view while that view is the user's, that is while
// this thread has the foreground window; calls onChange, on this thread, if one of them differed.
void resynchronise();

// The class of the watch's message-only window, which hears of the session's changes.
inline constexpr wchar_t sessionWindowClass[] = L"Glyphorbitaloscopex.LockKeyWatch";

} // namespace Win32LockKeys
