#pragma once

#include "platform/sysinfo/registry.h"

// The registry's own ANSI calls, so names and values stay in the system code page.
class Win32Registry final : public Registry
{
public:
    Opened open(std::uint32_t root, const std::string &subKey, std::uint32_t access) override;
    Queried query(
        Key key, const std::string &valueName, std::vector<unsigned char> &buffer) override;
    void close(Key key) override;
};
