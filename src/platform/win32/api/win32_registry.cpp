#include "win32_registry.h"

#include <windows.h>

// The lookup reads the system's answers through our names for its numbers.
static_assert(Registry::keyRead == KEY_READ);
static_assert(Registry::typeString == REG_SZ && Registry::typeExpandString == REG_EXPAND_SZ
    && Registry::typeDword == REG_DWORD);
static_assert(Registry::success == ERROR_SUCCESS && Registry::notFound == ERROR_FILE_NOT_FOUND
    && Registry::moreData == ERROR_MORE_DATA);

namespace {

// A root arrives as its 32-bit number; the system's headers widen the predefined keys to a
// handle by sign extension, and so must we on 64-bit Windows.
HKEY rootHandle(std::uint32_t root)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

HKEY keyHandle(Registry::Key key)
{
    return reinterpret_cast<HKEY>(key);
}

} // namespace

Registry::Opened Win32Registry::open(
    std::uint32_t root, const std::string &subKey, std::uint32_t access)
{
    HKEY key = nullptr;
    const LONG status = RegOpenKeyExA(rootHandle(root), subKey.c_str(), 0, access, &key);
    if (status != ERROR_SUCCESS)
        return { static_cast<std::int32_t>(status), 0 };
    return { success, reinterpret_cast<Key>(key) };
}

Registry::Queried Win32Registry::query(
    Key key, const std::string &valueName, std::vector<unsigned char> &buffer)
{
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(buffer.size());
    const LONG status
        = RegQueryValueExA(keyHandle(key), valueName.c_str(), nullptr, &type, buffer.data(), &size);
    return { static_cast<std::int32_t>(status), static_cast<std::uint32_t>(type),
        static_cast<std::uint32_t>(size) };
}

void Win32Registry::close(Key key)
{
    if (key != 0)
        RegCloseKey(keyHandle(key));
}
