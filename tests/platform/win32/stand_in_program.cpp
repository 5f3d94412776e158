// Stands in for a program that a test starts: the system-information tool, or the browser the
// shell hands a link to. It reports from where it lies: beside itself, "<its own path>.started"
// holds the command line it was given and, on a second line, the show command ("show 0" for a
// hidden start, "show default" when it was given none). The report is written under another name
// and then renamed, so a test that finds it finds it whole.
#include <windows.h>

#include <cstring>
#include <iterator>
#include <string>

int main()
{
    static wchar_t own[32768];
    const DWORD length = GetModuleFileNameW(nullptr, own, DWORD(std::size(own)));
    if (length == 0 || length == std::size(own))
        return 1;
    const std::wstring report = std::wstring(own, length) + L".started";
    const std::wstring partial = report + L".partial";

    STARTUPINFOA startup {};
    GetStartupInfoA(&startup);
    const std::string content = std::string(GetCommandLineA()) + "\nshow "
        + ((startup.dwFlags & STARTF_USESHOWWINDOW) ? std::to_string(startup.wShowWindow)
                                                    : std::string("default"));

    const HANDLE file = CreateFileW(
        partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    const bool ok = WriteFile(file, content.data(), DWORD(content.size()), &written, nullptr);
    CloseHandle(file);
    return ok && MoveFileExW(partial.c_str(), report.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
