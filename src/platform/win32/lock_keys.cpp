#include "lock_keys.h"

#include <windows.h>

namespace {

HHOOK keyboardHook = nullptr;
std::function<void()> releaseHandler;

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

bool isLockKey(DWORD virtualKeyCode)
{
    return virtualKeyCode == VK_NUMLOCK || virtualKeyCode == VK_CAPITAL
        || virtualKeyCode == VK_SCROLL;
}

// A low-level hook sees the keys of every program and costs nothing between key strokes. The
// toggle has changed by the time its key comes up.
LRESULT CALLBACK onKeyboardEvent(int code, WPARAM message, LPARAM data)
{
    if (code == HC_ACTION && (message == WM_KEYUP || message == WM_SYSKEYUP)) {
        const auto *event = reinterpret_cast<const KBDLLHOOKSTRUCT *>(data);
        if (isLockKey(event->vkCode) && releaseHandler)
            releaseHandler();
    }
    return CallNextHookEx(nullptr, code, message, data);
}

} // namespace

bool Win32LockKeys::isOn(Key key)
{
    return (GetKeyState(virtualKey(key)) & 1) != 0;
}

bool Win32LockKeys::startWatching(std::function<void()> onRelease)
{
    stopWatching();
    releaseHandler = std::move(onRelease);
    keyboardHook = SetWindowsHookExW(WH_KEYBOARD_LL, onKeyboardEvent, GetModuleHandleW(nullptr), 0);
    if (!keyboardHook)
        releaseHandler = nullptr;
    return keyboardHook != nullptr;
}

void Win32LockKeys::stopWatching()
{
    if (keyboardHook)
        UnhookWindowsHookEx(keyboardHook);
    keyboardHook = nullptr;
    releaseHandler = nullptr;
}
