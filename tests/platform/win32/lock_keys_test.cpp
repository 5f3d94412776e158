#include "platform/win32/api/lock_keys.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

namespace {

// Presses and releases a key as a keyboard would, for every program at once.
void pressAndRelease(WORD key)
{
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = key;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(2, input, sizeof(INPUT)), 2u);
}

// The notices come from the watch's own thread; gives up after a generous while.
bool waitUntil(const std::atomic<int> &notices, int wanted)
{
    for (int waited = 0; notices < wanted && waited < 5000; ++waited)
        Sleep(1);
    return notices >= wanted;
}

// A window of another program, on a thread of its own, that has the keyboard while it lives.
struct FocusedWindow
{
    std::atomic<bool> focused = false;
    std::jthread thread { [this](std::stop_token stop) {
        focused = SetForegroundWindow(CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP | WS_VISIBLE,
            0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr));
        while (!stop.stop_requested())
            Sleep(1);
    } };
};

struct LockKeyCase
{
    const char *name;
    Win32LockKeys::Key key;
    WORD virtualKey;
};

// Windows leaves this thread's view of the keys as it was while another program has the keyboard;
// Wine brings it up to date, so the test puts the old view back.
TEST(Win32LockKeysTest, PressingALockKeyInAnotherProgramNoticesAndTogglesIt)
{
    const LockKeyCase cases[] = {
        { "Num Lock", Win32LockKeys::Key::NumLock, VK_NUMLOCK },
        { "Caps Lock", Win32LockKeys::Key::CapsLock, VK_CAPITAL },
        { "Scroll Lock", Win32LockKeys::Key::ScrollLock, VK_SCROLL },
    };
    FocusedWindow other;
    for (int waited = 0; !other.focused && waited < 5000; ++waited)
        Sleep(1);
    ASSERT_TRUE(other.focused);
    for (const LockKeyCase &c : cases) {
        SCOPED_TRACE(c.name);
        std::atomic<int> notices = 0;
        ASSERT_TRUE(Win32LockKeys::startWatching([&] { ++notices; }, [] {}));
        const bool before = Win32LockKeys::isOn(c.key);
        BYTE ownView[256];
        ASSERT_TRUE(GetKeyboardState(ownView));
        pressAndRelease(c.virtualKey);
        ASSERT_TRUE(waitUntil(notices, 1));
        ASSERT_TRUE(SetKeyboardState(ownView));
        EXPECT_NE(Win32LockKeys::isOn(c.key), before);
        pressAndRelease(c.virtualKey); // leave the key as it was
        ASSERT_TRUE(waitUntil(notices, 2));
        EXPECT_EQ(Win32LockKeys::isOn(c.key), before);
        Win32LockKeys::stopWatching();
    }
}

// Keys reach the hook in order, so a lock key pressed last shows when the ones before it are done.
TEST(Win32LockKeysTest, OtherKeysAndAStoppedWatchGiveNoNotice)
{
    std::atomic<int> notices = 0;
    ASSERT_TRUE(Win32LockKeys::startWatching([&] { ++notices; }, [] {}));
    pressAndRelease(VK_SHIFT);
    pressAndRelease(VK_SCROLL);
    ASSERT_TRUE(waitUntil(notices, 1));
    Win32LockKeys::stopWatching();
    pressAndRelease(VK_SCROLL); // back as it was, unwatched

    std::atomic<int> laterNotices = 0;
    ASSERT_TRUE(Win32LockKeys::startWatching([&] { ++laterNotices; }, [] {}));
    pressAndRelease(VK_CAPITAL);
    pressAndRelease(VK_CAPITAL);
    ASSERT_TRUE(waitUntil(laterNotices, 2));
    Win32LockKeys::stopWatching();
    EXPECT_EQ(notices, 1);
}

// The thread that started the watch takes no message here, as a window thread held in a wait.
TEST(Win32LockKeysTest, ALockSwitchedWhileTheStartingThreadWaitsIsCounted)
{
    std::atomic<int> notices = 0;
    ASSERT_TRUE(Win32LockKeys::startWatching([&] { ++notices; }, [] {}));
    const bool before = Win32LockKeys::isOn(Win32LockKeys::Key::ScrollLock);
    std::jthread([] { pressAndRelease(VK_SCROLL); }); // from another program, waited for
    EXPECT_TRUE(waitUntil(notices, 1));
    EXPECT_NE(Win32LockKeys::isOn(Win32LockKeys::Key::ScrollLock), before);
    pressAndRelease(VK_SCROLL); // back as it was, and the watch still in place to see it
    EXPECT_TRUE(waitUntil(notices, 2));
    EXPECT_EQ(Win32LockKeys::isOn(Win32LockKeys::Key::ScrollLock), before);
    Win32LockKeys::stopWatching();
}

// Keys pressed on the lock screen reach no hook: the watch says when the user is back, for the
// toggles to be taken afresh, and counts on with a hook installed anew.
TEST(Win32LockKeysTest, BackFromTheLockScreenTheWatchSaysSoAndCountsOn)
{
    std::atomic<int> notices = 0, sessionBack = 0;
    ASSERT_TRUE(Win32LockKeys::startWatching([&] { ++notices; }, [&] { ++sessionBack; }));
    ASSERT_TRUE(PostMessageW(
        FindWindowExW(HWND_MESSAGE, nullptr, Win32LockKeys::sessionWindowClass, nullptr),
        WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0));
    EXPECT_TRUE(waitUntil(sessionBack, 1));
    pressAndRelease(VK_SCROLL);
    pressAndRelease(VK_SCROLL); // the key back as it was
    EXPECT_TRUE(waitUntil(notices, 2));
    Win32LockKeys::stopWatching();
}

} // namespace
