#include "open_url.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

// The hand-overs on their way. Never destroyed: one may still be ending while the process does.
struct HandOvers
{
    std::mutex lock;
    std::condition_variable done;
    int pending = 0;
};

HandOvers &handOvers()
{
    static auto *const state = new HandOvers;
    return *state;
}

void finishHandOver()
{
    HandOvers &state = handOvers();
    {
        const std::lock_guard lock(state.lock);
        --state.pending;
    }
    state.done.notify_all();
}

// Empty for text that is not UTF-8, rather than an address with a replaced letter.
std::wstring fromUtf8(const std::string &text)
{
    const int length = MultiByteToWideChar(
        CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(length > 0 ? length : 0), L'\0');
    MultiByteToWideChar(
        CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

// The show command is passed on to the program that opens the address: a browser that was not
// running starts with it, so it must show. The shell may run extensions that need COM in a
// single-threaded apartment, and may wait for them or spin a message loop of its own; on a
// thread of its own it neither holds up nor reenters the window thread. It is given no owner
// window, as a window of another thread would tie the two threads' input together, and asked to
// show no message: a link that cannot be opened is dropped silently. It may hand the address on
// asynchronously, through DDE or a thread of its own, which the end of this thread would cut off:
// Microsoft asks callers on threads that may end to have it finish first.
void handOver(const std::wstring &url)
{
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW execute {};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    execute.lpVerb = L"open";
    execute.lpFile = url.c_str();
    execute.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&execute);
    if (SUCCEEDED(com))
        CoUninitialize();
}

} // namespace

void Win32::openUrl(const std::string &url)
{
    const std::wstring address = fromUtf8(url);
    if (address.empty())
        return;
    {
        HandOvers &state = handOvers();
        const std::lock_guard lock(state.lock);
        ++state.pending;
    }
    try {
        std::thread([address] {
            handOver(address);
            finishHandOver();
        }).detach();
    } catch (const std::system_error &) { // no thread to be had: the link is lost, not the program
        finishHandOver();
    }
}

bool Win32::finishOpeningUrls(std::chrono::milliseconds limit)
{
    HandOvers &state = handOvers();
    std::unique_lock lock(state.lock);
    return state.done.wait_for(lock, limit, [&state] { return state.pending == 0; });
}

// _Exit skips static destructors and atexit handlers, where Qt would still deliver events. Two
// seconds is far more than a shell needs to start a browser, and short enough that a shell that
// hangs does not keep a program the user has closed about.
void Win32::endProcess(int exitCode)
{
    finishOpeningUrls(std::chrono::seconds(2));
    std::fflush(nullptr);
    std::_Exit(exitCode);
}
