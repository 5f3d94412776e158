#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace win32 {

// Replaces a file whole or not at all: the bytes go to a temporary file beside it, written
// through to the disk, and the temporary file is moved over the old one. A crash or power loss
// at any moment, or a reader at any moment, finds either the old content or the new.
// Returns the system's error, or no error (false) on success.
std::error_code writeFileDurably(const std::wstring &path, std::string_view bytes);

// Whether a write's error says that the folder takes no file: no permission (as in Program
// Files for a user without elevation), a write-protected medium or a read-only network share.
bool refusesWriting(std::error_code error);

} // namespace win32
