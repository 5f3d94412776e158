#include "linux_registry.h"
#include "platform/sysinfo/sys_info.h"

#include <algorithm>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr Registry::Key toolKey = 1;

// Desktop programs that, like the Windows tool, summarise the hardware and the installed system,
// in order of preference: the two general ones first, then the desktops' own. Task managers are
// left out; they show processes rather than the system.
const char *const tools[] = { "hardinfo2", "hardinfo", "kinfocenter", "cpu-x" };

// Registry names ignore case.
bool sameName(const std::string &a, const std::string &b)
{
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
        [&](char x, char y) { return lower(x) == lower(y); });
}

bool isExecutableFile(const std::string &path)
{
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)
        && ::access(path.c_str(), X_OK) == 0;
}

} // namespace

LinuxRegistry::LinuxRegistry(std::string searchPath)
    : m_searchPath(std::move(searchPath))
{ }

std::string LinuxRegistry::environmentSearchPath()
{
    const char *path = std::getenv("PATH");
    return path ? path : "";
}

Registry::Opened LinuxRegistry::open(std::uint32_t root, const std::string &subKey, std::uint32_t)
{
    if (root == localMachine && sameName(subKey, sysInfoToolKey))
        return { success, toolKey };
    return { notFound, 0 };
}

Registry::Queried LinuxRegistry::query(
    Key key, const std::string &valueName, std::vector<unsigned char> &buffer)
{
    if (key != toolKey || !sameName(valueName, sysInfoToolValue))
        return { notFound, 0, 0 };
    const std::string tool = findTool();
    if (tool.empty())
        return { notFound, 0, 0 };
    // Stored like a Windows text value, with its terminating NUL.
    const std::size_t size = tool.size() + 1;
    if (size > buffer.size())
        return { moreData, typeString, static_cast<std::uint32_t>(size) };
    std::copy(tool.begin(), tool.end(), buffer.begin());
    buffer[tool.size()] = 0;
    return { success, typeString, static_cast<std::uint32_t>(size) };
}

void LinuxRegistry::close(Key) { }

std::string LinuxRegistry::findTool() const
{
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= m_searchPath.size()) {
        const std::size_t end = std::min(m_searchPath.find(':', start), m_searchPath.size());
        const std::string folder = m_searchPath.substr(start, end - start);
        // An empty or relative entry would name a program in whatever folder we were started
        // from, which is no place to run a program from.
        if (!folder.empty() && folder.front() == '/')
            folders.push_back(folder.back() == '/' ? folder : folder + '/');
        start = end + 1;
    }
    for (const char *tool : tools) {
        for (const std::string &folder : folders) {
            if (isExecutableFile(folder + tool))
                return folder + tool;
        }
    }
    return {};
}
