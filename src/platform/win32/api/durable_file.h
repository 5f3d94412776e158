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

// Opens the file at `path` for reading, sharing it with any other reader or writer, and tries
// again for a few seconds while another program holds it without sharing. On success `descriptor`
// is a C runtime descriptor that owns the file's handle.
std::error_code openForReading(const std::wstring &path, int &descriptor);

// Whether a write's error says that the folder takes no file: no permission (as in Program
// Files for a user without elevation), a write-protected medium or a read-only network share.
bool refusesWriting(std::error_code error);

} // namespace win32
