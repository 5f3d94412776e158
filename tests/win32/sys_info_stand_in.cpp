// Stands in for the system-information tool where a test starts it. It is started without
// arguments, so it reports from where it lies: beside itself, "<its own path>.started" holds the
// command line it was given. The report is written under another name and then renamed, so a
// test that finds it finds it whole.
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

    const HANDLE file = CreateFileW(
        partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    const char *commandLine = GetCommandLineA();
    DWORD written = 0;
    const bool ok
        = WriteFile(file, commandLine, DWORD(std::strlen(commandLine)), &written, nullptr);
    CloseHandle(file);
    return ok && MoveFileExW(partial.c_str(), report.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
