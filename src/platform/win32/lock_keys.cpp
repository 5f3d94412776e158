#include "lock_keys.h"

#include "platform/lock_toggles.h"

#include <windows.h>

#include <optional>

namespace {

using Win32LockKeys::Key;

constexpr Key lockKeys[] = { Key::NumLock, Key::CapsLock, Key::ScrollLock };

HHOOK keyboardHook = nullptr;
std::function<void()> changeHandler;
LockToggles toggles;

int virtualKey(Win32LockKeys::Key key)
{
    switch (key) {
    case Win32LockKeys::Key::NumLock:
        return VK_NUMLOCK;
    case Win32LockKeys::Key::CapsLock:
        return VK_CAPITAL;
    case Win32LockKeys::Key::ScrollLock:
        return VK_SCROLL;
    }
    return 0;
}

std::optional<Key> lockKeyOf(DWORD virtualKeyCode)
{
    for (Key key : lockKeys) {
        if (DWORD(virtualKey(key)) == virtualKeyCode)
            return key;
    }
    return std::nullopt;
}

// No call reads the toggles as the whole system has them. GetKeyState and GetKeyboardState give
// this thread's view, which moves only as the thread takes keyboard messages from its own queue,
// so a lock switched in another program leaves it behind; the low bit of GetAsyncKeyState says
// whether the key was pressed since some program last asked, not its toggle, and Microsoft warns
// against relying on it. So the hook counts the presses, and this thread's view is taken only
// where it is the user's: at the start, and once the program is activated and takes the keyboard
// again. That also mends a count gone wrong: a hook after ours may swallow the key, and Caps Lock
// may be set to go off with Shift. Whether a key is held now, the high bit of GetAsyncKeyState,
// is documented without such a warning.
bool takeThreadView()
{
    bool changed = false;
    for (Key key : lockKeys) {
        const int code = virtualKey(key);
        changed |= toggles.seed(
            std::size_t(key), (GetKeyState(code) & 1) != 0, GetAsyncKeyState(code) < 0);
    }
    return changed;
}

// A low-level hook sees the keys of every program, injected ones too (SendInput switches a lock
// as a keyboard does), and costs nothing between key strokes. With Alt held, or while no window
// has the focus, a key comes down as a system key.
LRESULT CALLBACK onKeyboardEvent(int code, WPARAM message, LPARAM data)
{
    if (code == HC_ACTION) {
        const auto *event = reinterpret_cast<const KBDLLHOOKSTRUCT *>(data);
        if (const std::optional<Key> key = lockKeyOf(event->vkCode)) {
            if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN)
                toggles.release(std::size_t(*key));
            else if (toggles.press(std::size_t(*key)) && changeHandler)
                changeHandler();
        }
    }
    return CallNextHookEx(nullptr, code, message, data);
}

} // namespace

bool Win32LockKeys::isOn(Key key)
{
    if (!keyboardHook)
        return (GetKeyState(virtualKey(key)) & 1) != 0;
    return toggles.isOn(std::size_t(key));
}

bool Win32LockKeys::startWatching(std::function<void()> onChange)
{
    stopWatching();
    takeThreadView();
    changeHandler = std::move(onChange);
    keyboardHook = SetWindowsHookExW(WH_KEYBOARD_LL, onKeyboardEvent, GetModuleHandleW(nullptr), 0);
    if (!keyboardHook)
        changeHandler = nullptr;
    return keyboardHook != nullptr;
}

void Win32LockKeys::stopWatching()
{
    if (keyboardHook)
        UnhookWindowsHookEx(keyboardHook);
    keyboardHook = nullptr;
    changeHandler = nullptr;
}

void Win32LockKeys::resynchronise()
{
    if (takeThreadView() && changeHandler)
        changeHandler();
}
