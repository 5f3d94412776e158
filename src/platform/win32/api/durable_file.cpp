#include "durable_file.h"

#include "logic/save_points.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace win32 {

namespace {

std::error_code lastError()
{
    return { static_cast<int>(GetLastError()), std::system_category() };
}

// Until it has replaced the file, the temporary file goes with its handle: the system closes the
// handles of a program that is killed, so no stray file is left beside the settings.
bool setDeleteOnClose(HANDLE file, bool remove)
{
    FILE_DISPOSITION_INFO disposition { remove };
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
}

bool writeThrough(HANDLE file, std::string_view bytes)
{
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr)
        || !FlushFileBuffers(file))
        return false;
    if (written != bytes.size()) {
        SetLastError(ERROR_WRITE_FAULT);
        return false;
    }
    return true;
}

enum class Access { Read, Replace };

// Another program (a copy of this one, a virus scanner, a sync tool) holds a settings file open
// only for a moment, so a refusal is worth a few more tries, unless no wait mends it. A sharing
// violation is always another program's handle, even when the file has gone by the time it is
// looked at: another copy has just moved it into place. Windows refuses to replace an open file
// whatever sharing it was opened with, as "access denied", which a write-protected file or a
// folder gives too; a reader is refused so only by the file's permissions.
bool mayBeInUse(DWORD error, const std::wstring &path, Access access)
{
    if (error == ERROR_SHARING_VIOLATION)
        return true;
    if (error != ERROR_ACCESS_DENIED)
        return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    // A file the program writing it has marked for deletion refuses even its attributes.
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_ACCESS_DENIED;
    return access == Access::Replace
        && !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

// Windows answers a move onto a file that another program holds open with "access denied", as it
// answers one onto a file the user may not replace; only opening the file tells the two apart.
bool heldOpen(const std::wstring &path)
{
    const HANDLE file
        = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(file);
    return false;
}

// Tries until the file at `path` is no longer in another program's hands. A reader or another copy
// holds it for a moment, which a loaded machine stretches past a second; the wait ends before the
// 5 s after which Windows calls the window not responding.
template<typename Attempt> bool whileInUse(const std::wstring &path, Access access, Attempt attempt)
{
    constexpr DWORD patience = 4'000;
    constexpr DWORD pause = 25;
    for (DWORD waited = 0;; waited += pause) {
        if (attempt())
            return true;
        const DWORD error = GetLastError();
        const bool retry = mayBeInUse(error, path, access);
        if (waited >= patience || !retry) {
            // A file still held open is the other program's doing, not a folder refusing files.
            SetLastError(retry && heldOpen(path) ? ERROR_SHARING_VIOLATION : error);
            return false;
        }
        Sleep(pause);
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
    // One name for every copy of the program, so that a temporary file left behind is replaced by
    // the next save; a copy saving the same file at the same moment waits for the other's turn.
    // Shared for deleting only, which the move needs.
    const std::wstring temporary = path + L".saving";
    HANDLE file = INVALID_HANDLE_VALUE;
    if (!whileInUse(temporary, Access::Replace, [&] {
            file = CreateFileW(temporary.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE,
                nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
            return file != INVALID_HANDLE_VALUE;
        }))
        return lastError();
    bool saved = setDeleteOnClose(file, true) && writeThrough(file, bytes)
        && setDeleteOnClose(file, false);
    if (saved) {
        reachSavePoint(SavePoint::Written, path);
        saved = whileInUse(path, Access::Replace, [&] {
            return MoveFileExW(temporary.c_str(), path.c_str(),
                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        });
    }
    if (saved)
        reachSavePoint(SavePoint::Replaced, path);
    const std::error_code error = saved ? std::error_code() : lastError();
    if (!saved)
        setDeleteOnClose(file, true);
    CloseHandle(file);
    return error;
}

std::error_code openForReading(const std::wstring &path, int &descriptor)
{
    HANDLE file = INVALID_HANDLE_VALUE;
    if (!whileInUse(path, Access::Read, [&] {
            file = CreateFileW(path.c_str(), GENERIC_READ,
                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                FILE_ATTRIBUTE_NORMAL, nullptr);
            return file != INVALID_HANDLE_VALUE;
        }))
        return lastError();
    descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDONLY);
    if (descriptor < 0) {
        CloseHandle(file);
        return std::make_error_code(std::errc::too_many_files_open);
    }
    return {};
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
