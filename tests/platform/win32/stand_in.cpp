#include "stand_in.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

std::string StandIn::builtPath()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string own(path, length < MAX_PATH ? length : 0);
    return own.substr(0, own.find_last_of('\\')) + "\\stand_in_program.exe";
}

std::string StandIn::makeFolder(const std::string &name)
{
    char temporary[MAX_PATH + 1];
    const DWORD length = GetTempPathA(MAX_PATH + 1, temporary);
    if (length == 0 || length > MAX_PATH)
        return {};
    const std::string folder = temporary + name + std::to_string(GetCurrentProcessId());
    return CreateDirectoryA(folder.c_str(), nullptr) ? folder : std::string();
}

void StandIn::removeFolder(const std::string &folder)
{
    // A stand-in that has just written its report may still be ending, and Windows keeps a running
    // program's file, so the removal is tried again for a while.
    std::error_code error;
    for (int tries = 0;
         std::filesystem::remove_all(wide(folder), error) == std::uintmax_t(-1) && tries < 250;
         ++tries)
        Sleep(20);
}

std::wstring StandIn::wide(const std::string &ansi)
{
    std::wstring text(ansi.size(), L'\0');
    text.resize(MultiByteToWideChar(
        CP_ACP, 0, ansi.data(), int(ansi.size()), text.data(), int(text.size())));
    return text;
}

std::optional<std::string> StandIn::reportOfRun(const std::string &program)
{
    const std::filesystem::path report = wide(program + ".started");
    for (int waited = 0; waited < 60000; waited += 20) {
        // Found is not yet readable: until the stand-in's rename lets go of the file, it holds it
        // open for deletion, which shuts out a reader that does not share deletion. A report is
        // never empty.
        std::ifstream in(report, std::ios::binary);
        std::ostringstream content;
        if (in && content << in.rdbuf())
            return content.str();
        Sleep(20);
    }
    return std::nullopt;
}
