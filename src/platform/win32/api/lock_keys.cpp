#include "lock_keys.h"

#include "logic/lock_toggles.h"

#include <windows.h>

#include <wtsapi32.h>

#include <future>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace {

using Win32LockKeys::Key;

constexpr Key lockKeys[] = { Key::NumLock, Key::CapsLock, Key::ScrollLock };

// The hook lives on a thread of its own that does nothing but count. Windows calls a low-level
// hook by sending a message to the thread that installed it, and every key of the whole system
// waits for the answer, up to the LowLevelHooksTimeout (at most a second since Windows 10 1709);
// a hook that misses it is removed without a word, after which no key would reach it until it is
// installed again. The window thread may be busy drawing or wait seconds for a settings file
// another program holds, so the hook must not live there. Raw Input has no such timeout, but a
// process has only one keyboard registration, held by whichever window registered last: any code
// loaded into the process could take it over unnoticed, the same silent loss in another shape. A
// hook is ours.
std::thread watchThread;
DWORD watchThreadId = 0;
// Both set before the thread starts, cleared after it ended.
std::function<void()> changeHandler;
std::function<void()> sessionBackHandler;
HHOOK hook = nullptr; // the watch thread's alone
std::mutex togglesLock; // the hook counts on its thread, the window thread reads and seeds
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
// where it is the user's: at the start, and while the program has the keyboard. That also mends
// a count gone wrong: a hook after ours may swallow the key, a removed hook misses them all, and
// Caps Lock may be set to go off with Shift. Whether a key is held now, the high bit of
// GetAsyncKeyState, is documented without such a warning.
bool takeThreadView()
{
    const std::lock_guard lock(togglesLock);
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
// has the focus, a key comes down as a system key. The notice is only handed on, never waited for.
LRESULT CALLBACK onKeyboardEvent(int code, WPARAM message, LPARAM data)
{
    if (code == HC_ACTION) {
        const auto *event = reinterpret_cast<const KBDLLHOOKSTRUCT *>(data);
        if (const std::optional<Key> key = lockKeyOf(event->vkCode)) {
            bool flipped = false;
            {
                const std::lock_guard lock(togglesLock);
                if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN)
                    toggles.release(std::size_t(*key));
                else
                    flipped = toggles.press(std::size_t(*key));
            }
            if (flipped)
                changeHandler();
        }
    }
    return CallNextHookEx(nullptr, code, message, data);
}

// Installed again whenever the user comes back to the session: Windows removes a hook that once
// answers later than LowLevelHooksTimeout, without a word, and a removed hook is not told.
bool installHook()
{
    if (hook)
        UnhookWindowsHookEx(hook); // fails, harmlessly, for a hook Windows already removed
    hook = SetWindowsHookExW(WH_KEYBOARD_LL, onKeyboardEvent, GetModuleHandleW(nullptr), 0);
    return hook != nullptr;
}

// The hook sees only the keys of its own desktop: those pressed on the lock screen, the secure
// desktop of Ctrl+Alt+Del, or in another session pass it by. Unlocking need not activate the
// program, so the session's own notice says when the toggles may have changed unseen.
LRESULT CALLBACK onSessionMessage(HWND window, UINT message, WPARAM change, LPARAM session)
{
    if (message == WM_WTSSESSION_CHANGE
        && (change == WTS_SESSION_UNLOCK || change == WTS_CONSOLE_CONNECT
            || change == WTS_REMOTE_CONNECT)) {
        installHook();
        sessionBackHandler();
        return 0;
    }
    return DefWindowProcW(window, message, change, session);
}

// A message-only window: it takes no part in the desktop, yet the session's notices reach it.
// Without one (or before the session service is up) the activation and the status bar's re-reads
// still mend the toggles.
HWND createSessionWindow()
{
    static const bool registered = [] {
        WNDCLASSW windowClass {};
        windowClass.lpfnWndProc = onSessionMessage;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = Win32LockKeys::sessionWindowClass;
        return RegisterClassW(&windowClass) != 0;
    }();
    if (!registered)
        return nullptr;
    const HWND window = CreateWindowExW(0, Win32LockKeys::sessionWindowClass, nullptr, 0, 0, 0, 0,
        0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window)
        WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION);
    return window;
}

// The watch thread's whole life: install the hook, answer the system's calls to it, and take it
// out again when told to quit. Every key of the system waits for the hook's answer, so the thread
// runs at the highest priority short of the real-time class: above every boost a busy program's
// threads can get, so that under load the key is not held up behind them and the hook not timed
// out. It takes a few microseconds a key and sleeps otherwise, so it takes nothing from anyone.
void watch(std::promise<bool> &installed)
{
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE); // the queue a quit is posted to
    watchThreadId = GetCurrentThreadId();
    const HWND sessionWindow = createSessionWindow();
    const bool hooked = installHook();
    installed.set_value(hooked);
    while (hooked && GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    if (sessionWindow) {
        WTSUnRegisterSessionNotification(sessionWindow);
        DestroyWindow(sessionWindow);
    }
    if (hook)
        UnhookWindowsHookEx(std::exchange(hook, nullptr));
}

} // namespace

bool Win32LockKeys::isOn(Key key)
{
    if (!watchThread.joinable())
        return (GetKeyState(virtualKey(key)) & 1) != 0;
    const std::lock_guard lock(togglesLock);
    return toggles.isOn(std::size_t(key));
}

bool Win32LockKeys::startWatching(
    std::function<void()> onChange, std::function<void()> onSessionBack)
{
    stopWatching();
    takeThreadView();
    changeHandler = std::move(onChange);
    sessionBackHandler = std::move(onSessionBack);
    std::promise<bool> installed;
    watchThread = std::thread(watch, std::ref(installed));
    if (installed.get_future().get())
        return true;
    stopWatching();
    return false;
}

void Win32LockKeys::stopWatching()
{
    if (watchThread.joinable()) {
        PostThreadMessageW(watchThreadId, WM_QUIT, 0, 0);
        watchThread.join();
    }
    changeHandler = nullptr;
    sessionBackHandler = nullptr;
}

// While another program has the keyboard, this thread's view lags behind the keys pressed there
// and would undo the hook's count of them.
void Win32LockKeys::resynchronise()
{
    if (GetWindowThreadProcessId(GetForegroundWindow(), nullptr) != GetCurrentThreadId())
        return;
    if (takeThreadView() && changeHandler)
        changeHandler();
}
