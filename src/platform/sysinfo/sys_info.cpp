#include "sys_info.h"

#include <cstddef>

namespace {

// Read-only: write rights on HKEY_LOCAL_MACHINE are refused to a standard user, so asking for
// them would make the lookup fail for most users.
constexpr std::uint32_t keyAccess = Registry::keyRead;

constexpr std::size_t valueBufferSize = 1024;

const std::string folderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string folderValue = "MSINFO";
const std::string toolInFolder = "\\MSINFO32.EXE";

// Closes the key on every way out of the lookup, a thrown error included.
class KeyCloser
{
public:
    KeyCloser(Registry &registry, Registry::Key key)
        : m_registry(registry)
        , m_key(key)
    { }
    ~KeyCloser() { m_registry.close(m_key); }
    KeyCloser(const KeyCloser &) = delete;
    KeyCloser &operator=(const KeyCloser &) = delete;

private:
    Registry &m_registry;
    Registry::Key m_key;
};

// Text values are usually stored with their terminating NUL, and some without; either way only
// that one byte goes.
std::string trimmed(const std::vector<unsigned char> &buffer, std::uint32_t size)
{
    if (size == 0)
        throw KeyValueError("registry value of size 0");
    const std::size_t kept = buffer[size - 1] == 0 ? size - 1 : size;
    return std::string(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(kept));
}

// The bytes, last first, are the hexadecimal digits of a literal that the system reads into a
// signed 32-bit number; leading zero bytes do not count against the 32 bits.
std::string numberText(const std::string &bytes)
{
    if (bytes.empty())
        throw KeyValueError("registry number without digits");
    std::uint32_t value = 0;
    for (auto byte = bytes.rbegin(); byte != bytes.rend(); ++byte) {
        if (value > 0x00FFFFFF)
            throw KeyValueError("registry number longer than 32 bits");
        value = value << 8 | static_cast<unsigned char>(*byte);
    }
    return std::to_string(static_cast<std::int32_t>(value));
}

} // namespace

bool GetKeyValue(Registry &registry, std::uint32_t keyRoot, const std::string &keyName,
    const std::string &subKeyRef, std::string &keyVal)
{
    const Registry::Opened opened = registry.open(keyRoot, keyName, keyAccess);
    const KeyCloser closer(registry, opened.key);
    if (opened.status != Registry::success) {
        keyVal.clear();
        return false;
    }
    std::vector<unsigned char> buffer(valueBufferSize, 0);
    const Registry::Queried value = registry.query(opened.key, subKeyRef, buffer);
    // A size past the buffer means a value that did not fit, even from a registry that answers
    // success for it; only the buffer's own bytes are ever read.
    if (value.status != Registry::success || value.size > buffer.size()) {
        keyVal.clear();
        return false;
    }
    const std::string text = trimmed(buffer, value.size);
    if (value.type == Registry::typeString)
        keyVal = text;
    else if (value.type == Registry::typeDword)
        keyVal = numberText(text);
    return true;
}

bool StartSysInfo(SysInfoServices &services)
{
    try {
        std::string path;
        if (!GetKeyValue(services.registry, Registry::localMachine, sysInfoToolKey,
                sysInfoToolValue, path)) {
            if (!GetKeyValue(
                    services.registry, Registry::localMachine, folderKey, folderValue, path))
                return false;
            path += toolInFolder;
            if (!services.files.isNormalFile(path))
                return false;
        }
        return services.programs.start(path);
    } catch (...) {
        // Whatever fails on the way, the user hears only that the tool is unavailable.
        return false;
    }
}
