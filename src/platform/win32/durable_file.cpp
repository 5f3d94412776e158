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

// A reader of the old file (another copy of the program starting, a virus scanner) holds it
// open only for a moment, but Windows refuses to replace an open file whatever sharing it was
// opened with: so a refusal is worth a few more tries, unless the file is write-protected or a
// folder, which no wait mends.
bool mayBeInUse(DWORD error, const std::wstring &target)
{
    if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)
        return false;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES
        && !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

bool replace(const std::wstring &temporary, const std::wstring &target)
{
    constexpr int attempts = 40;
    constexpr DWORD pauseMilliseconds = 25;
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(temporary.c_str(), target.c_str(),
                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if (attempt == attempts || !mayBeInUse(error, target)) {
            SetLastError(error);
            return false;
        }
        Sleep(pauseMilliseconds);
    }
}

} // namespace

std::error_code writeFileDurably(const std::wstring &path, std::string_view bytes)
{
    // Windows refuses to replace a write-protected file, but Wine replaces it: the user's
    // protection must hold wherever the program runs.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return { ERROR_ACCESS_DENIED, std::system_category() };
    const std::wstring temporary = path + L".saving";
    if (writeThrough(temporary, bytes) && replace(temporary, path))
        return {};
    const std::error_code error = lastError();
    DeleteFileW(temporary.c_str());
    return error;
}

bool refusesWriting(std::error_code error)
{
    if (error.category() != std::system_category())
        return false;
    switch (error.value()) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
        return true;
    default:
        return false;
    }
}

} // namespace win32
