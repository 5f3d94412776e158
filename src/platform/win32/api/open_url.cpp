#include "open_url.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

// The show command is passed on to the program that opens the address: a browser that was not
// running starts with it, so it must show. The shell may run extensions that need COM in a
// single-threaded apartment, and may wait for them or spin a message loop of its own; on a
// thread of its own it neither holds up nor reenters the window thread. Its messages come up
// without an owner, as a window of another thread would tie the two threads' input together.
std::thread Win32::openUrl(const std::string &url)
{
    return std::thread([url] {
        const HRESULT com
            = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        ShellExecuteA(nullptr, "Open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        if (SUCCEEDED(com))
            CoUninitialize();
    });
}
