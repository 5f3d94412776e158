#include "win32_program_starter.h"

#include <windows.h>

namespace {

// "C:\..." or "C:/...", or a network path "\\server\share\...".
bool isAbsolute(const std::string &path)
{
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\')
        return true;
    if (path.size() < 3 || path[1] != ':' || (path[2] != '\\' && path[2] != '/'))
        return false;
    const char drive = path[0];
    return (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
}

} // namespace

bool Win32ProgramStarter::start(const std::string &path)
{
    // A quote cannot be part of a Windows file name, and would end the quoted command line early.
    if (!isAbsolute(path) || path.find_first_of(std::string("\"\0", 2)) != std::string::npos)
        return false;
    // The application name carries the path, so nothing is searched for and a space in it does
    // not split it; the command line only repeats it, quoted, as the program's own name.
    std::string commandLine = '"' + path + '"';
    STARTUPINFOA startup {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process {};
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
            nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
