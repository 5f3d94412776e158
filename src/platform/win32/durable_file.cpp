#include "durable_file.h"

#include <windows.h>

namespace win32 {

namespace {

std::error_code lastError()
{
    return { static_cast<int>(GetLastError()), std::system_category() };
}

bool writeThrough(const std::wstring &path, std::string_view bytes)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr)
        && FlushFileBuffers(file);
    if (ok && written != bytes.size()) {
        ok = false;
        SetLastError(ERROR_WRITE_FAULT);
    }
    const DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(error);
    return ok;
}

bool replace(const std::wstring &temporary, const std::wstring &target)
{
    return MoveFileExW(
        temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

} // namespace

std::error_code writeFileDurably(const std::wstring &path, std::string_view bytes)
{
    const std::wstring temporary = path + L".saving";
    if (writeThrough(temporary, bytes) && replace(temporary, path))
        return {};
    const std::error_code error = lastError();
    DeleteFileW(temporary.c_str());
    return error;
}

} // namespace win32
