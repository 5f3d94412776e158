#pragma once

#include "platform/sysinfo/registry.h"

// There is no registry here. This answers the one value the About window reads first, the path
// of the system-information tool, with the first desktop system-information program found on the
// search path; every other key is missing.
class LinuxRegistry final : public Registry
{
public:
    // searchPath: absolute folders separated by ':', as in PATH; other entries are skipped.
    explicit LinuxRegistry(std::string searchPath = environmentSearchPath());

    static std::string environmentSearchPath();

    Opened open(std::uint32_t root, const std::string &subKey, std::uint32_t access) override;
    Queried query(
        Key key, const std::string &valueName, std::vector<unsigned char> &buffer) override;
    void close(Key key) override;

private:
    std::string findTool() const;

    std::string m_searchPath;
};
