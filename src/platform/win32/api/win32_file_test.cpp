#include "win32_file_test.h"

#include <windows.h>

bool Win32FileTest::isNormalFile(const std::string &path)
{
    if (path.find('\0') != std::string::npos)
        return false;
    // Unlike a directory listing, the attribute query takes no wildcards: a pattern names no file.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD unwanted = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return (attributes & unwanted) == 0;
}
