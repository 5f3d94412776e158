#pragma once

#include "file_test.h"
#include "program_starter.h"
#include "registry.h"

#include <cstdint>
#include <stdexcept>
#include <string>

// Finding and starting the system-information tool for the About window's "System Info..."
// button. Plain C++ without Qt, so that a Windows build without Qt can test it too.

inline constexpr const char *sysInfoUnavailableText
    = "System Information Is Unavailable At This Time";

// Where the registry names the tool: the value of this key under HKEY_LOCAL_MACHINE.
inline constexpr const char *sysInfoToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char *sysInfoToolValue = "PATH";

struct SysInfoServices
{
    Registry &registry;
    FileTest &files;
    ProgramStarter &programs;
};

// A value that the lookup cannot turn into text: one of size 0, or a number without digits or
// with more than 32 bits. StartSysInfo answers it like a missing value.
class KeyValueError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Reads the value subKeyRef of the key keyName under keyRoot into keyVal, through a buffer of
// 1024 bytes. The key is opened read-only and closed again on every way out.
// - A text value (REG_SZ) loses its last byte when that byte is NUL, and only that one.
// - A number (REG_DWORD) becomes its decimal digits, read as a signed 32-bit number the way the
//   system reads a hexadecimal literal, so 0x80000000 and above come out negative.
// - Any other type (REG_EXPAND_SZ among them) counts as read and leaves keyVal as it was.
// - A missing key or value, or one longer than 1024 bytes, empties keyVal and returns false.
// Throws KeyValueError for a value of size 0 or a number that does not fit.
bool GetKeyValue(Registry &registry, std::uint32_t keyRoot, const std::string &keyName,
    const std::string &subKeyRef, std::string &keyVal);

// Starts the system-information tool: the program the registry names, or else MSINFO32.EXE in
// the folder it names, if that is a normal file. Every lookup runs afresh. Returns false, and
// never throws, when the tool is missing or does not start; the caller then shows
// sysInfoUnavailableText in a message box (OK only, no icon, the application title).
bool StartSysInfo(SysInfoServices &services);
