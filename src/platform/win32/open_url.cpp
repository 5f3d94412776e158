#include "open_url.h"

#include <windows.h>

#include <shellapi.h>

void Win32::openUrl(void *window, const std::string &url)
{
    ShellExecuteA(static_cast<HWND>(window), "Open", url.c_str(), nullptr, nullptr, SW_HIDE);
}
