#pragma once

#include "platform/sysinfo/sys_info.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

struct FakeRegistryValue
{
    std::uint32_t type;
    std::string bytes;
};

// Holds keys and their values by exact path and name, answers through the caller's buffer as the
// system does (moreData when a value does not fit), and records every call.
class FakeRegistry final : public Registry
{
public:
    struct OpenCall
    {
        std::uint32_t root;
        std::string subKey;
        std::uint32_t access;
        Key key;
    };

    Opened open(std::uint32_t root, const std::string &subKey, std::uint32_t access) override
    {
        const auto found = keys.find(subKey);
        const Opened opened = found == keys.end()
            ? Opened { notFound, 0 }
            : Opened { success, static_cast<Key>(100 + opens.size()) };
        opens.push_back({ root, subKey, access, opened.key });
        return opened;
    }

    Queried query(
        Key key, const std::string &valueName, std::vector<unsigned char> &buffer) override
    {
        queries.push_back(valueName);
        const std::map<std::string, FakeRegistryValue> &values = keys.at(keyName(key));
        const auto found = values.find(valueName);
        if (found == values.end())
            return { notFound, 0, 0 };
        const FakeRegistryValue &value = found->second;
        const auto size = static_cast<std::uint32_t>(value.bytes.size());
        if (value.bytes.size() > buffer.size())
            return { moreData, value.type, size };
        std::copy(value.bytes.begin(), value.bytes.end(), buffer.begin());
        return { success, value.type, size };
    }

    void close(Key key) override { closes.push_back(key); }

    std::vector<Key> openedKeys() const
    {
        std::vector<Key> opened;
        for (const OpenCall &call : opens)
            opened.push_back(call.key);
        return opened;
    }

    std::map<std::string, std::map<std::string, FakeRegistryValue>> keys;
    std::vector<OpenCall> opens;
    std::vector<std::string> queries;
    std::vector<Key> closes;

private:
    const std::string &keyName(Key key) const { return opens.at(key - 100).subKey; }
};

// Answers true for the paths it was given, and records every question.
class FakeFileTest final : public FileTest
{
public:
    bool isNormalFile(const std::string &path) override
    {
        tested.push_back(path);
        return normalFiles.count(path) != 0;
    }

    std::set<std::string> normalFiles;
    std::vector<std::string> tested;
};

// Starts the paths it was given, and records every attempt.
class FakeProgramStarter final : public ProgramStarter
{
public:
    bool start(const std::string &path) override
    {
        attempts.push_back(path);
        return startable.count(path) != 0;
    }

    std::set<std::string> startable;
    std::vector<std::string> attempts;
};

// The System Information lookup over doubles that find nothing until a test says otherwise.
struct FakeSysInfo
{
    FakeRegistry registry;
    FakeFileTest files;
    FakeProgramStarter programs;
    SysInfoServices services { registry, files, programs };
};
