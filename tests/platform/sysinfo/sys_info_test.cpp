#include "fake_sys_info.h"

#include <gtest/gtest.h>

#include <optional>

using namespace std::string_literals;

namespace {

const std::string toolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string folderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

enum class Outcome { Read, Missing, Error };

struct ValueCase
{
    const char *rule;
    std::uint32_t type;
    std::string data;
    Outcome outcome;
    std::string text; // what the text holds afterwards; it starts as "before"
};

TEST(GetKeyValue, TurnsEachKindOfValueIntoText)
{
    const std::string full(1023, 'a');
    const ValueCase cases[] = {
        { "text with its NUL loses exactly that byte", Registry::typeString,
            "C:\\Tools\\info.exe\0"s, Outcome::Read, "C:\\Tools\\info.exe" },
        { "text without a NUL is used whole", Registry::typeString, "C:\\Tools\\info.exe",
            Outcome::Read, "C:\\Tools\\info.exe" },
        { "of two NULs only the last goes", Registry::typeString, "ab\0\0"s, Outcome::Read,
            "ab\0"s },
        { "1024 bytes fill the buffer", Registry::typeString, full + '\0', Outcome::Read, full },
        { "1025 bytes count as missing", Registry::typeString, full + "a\0"s, Outcome::Missing,
            "" },
        { "size 0 is an error", Registry::typeString, "", Outcome::Error, "before" },
        { "expandable text counts as read but leaves the text alone", Registry::typeExpandString,
            "%ProgramFiles%\\info.exe\0"s, Outcome::Read, "before" },
        { "a number is its bytes, last first, in decimal", Registry::typeDword, "\x05\x01\x00\x00"s,
            Outcome::Read, "261" },
        { "a number from 2^31 up is negative", Registry::typeDword, "\x00\x00\x00\x80"s,
            Outcome::Read, "-2147483648" },
        { "leading zero bytes of a number do not count", Registry::typeDword,
            "\x07\x00\x00\x00\x00\x00"s, Outcome::Read, "7" },
        { "a number over 32 bits is an error", Registry::typeDword, "\x01\x02\x03\x04\x05"s,
            Outcome::Error, "before" },
        { "a number without digits is an error", Registry::typeDword, "\0"s, Outcome::Error,
            "before" },
    };
    for (const ValueCase &c : cases) {
        SCOPED_TRACE(c.rule);
        FakeRegistry registry;
        registry.keys[toolKey]["PATH"] = { c.type, c.data };
        std::string text = "before";
        const auto read
            = [&] { return GetKeyValue(registry, Registry::localMachine, toolKey, "PATH", text); };
        if (c.outcome == Outcome::Error)
            EXPECT_THROW(read(), KeyValueError);
        else
            EXPECT_EQ(read(), c.outcome == Outcome::Read);
        EXPECT_EQ(text, c.text);
        ASSERT_EQ(registry.opens.size(), 1u);
        EXPECT_EQ(registry.opens[0].root, 0x80000002u);
        EXPECT_EQ(registry.opens[0].subKey, toolKey);
        // KEY_READ: standard users may not open these keys for writing.
        EXPECT_EQ(registry.opens[0].access, 0x20019u);
        EXPECT_EQ(registry.queries, std::vector<std::string> { "PATH" });
        EXPECT_EQ(registry.closes, registry.openedKeys());
    }
}

TEST(GetKeyValue, MissingKeyOrValueEmptiesTheTextAndClosesTheKey)
{
    for (const bool keyExists : { false, true }) {
        SCOPED_TRACE(keyExists ? "missing value" : "missing key");
        FakeRegistry registry;
        if (keyExists)
            registry.keys[toolKey]["OTHER"] = { Registry::typeString, "x"s };
        std::string text = "before";
        EXPECT_FALSE(GetKeyValue(registry, Registry::localMachine, toolKey, "PATH", text));
        EXPECT_EQ(text, "");
        EXPECT_EQ(registry.queries.size(), keyExists ? 1u : 0u);
        EXPECT_EQ(registry.closes, registry.openedKeys());
    }
}

struct LaunchCase
{
    const char *rule;
    std::optional<FakeRegistryValue> toolValue;
    std::optional<FakeRegistryValue> folderValue;
    std::set<std::string> normalFiles;
    bool started;
    std::vector<std::string> keys;
    std::vector<std::string> tested;
    std::vector<std::string> attempts;
};

TEST(StartSysInfo, StartsTheToolTheRegistryNamesOrReportsItUnavailable)
{
    const FakeRegistryValue tool { Registry::typeString, "C:\\Tools\\info.exe\0"s };
    const FakeRegistryValue folder { Registry::typeString, "C:\\Folder\0"s };
    const std::string inFolder = "C:\\Folder\\MSINFO32.EXE";
    const LaunchCase cases[] = {
        { "the first value is started untested", tool, folder, {}, true, { toolKey }, {},
            { "C:\\Tools\\info.exe" } },
        { "a first value naming a missing file ends the lookup",
            FakeRegistryValue { Registry::typeString, "C:\\Gone\\info.exe\0"s }, folder, {}, false,
            { toolKey }, {}, { "C:\\Gone\\info.exe" } },
        { "an expandable first value tries an empty path and ends the lookup",
            FakeRegistryValue { Registry::typeExpandString, "%ProgramFiles%\\i.exe\0"s }, folder,
            {}, false, { toolKey }, {}, { "" } },
        { "a first value of size 0 ends the lookup", FakeRegistryValue { Registry::typeString, "" },
            folder, { inFolder }, false, { toolKey }, {}, {} },
        { "without the first value the folder's MSINFO32.EXE starts", std::nullopt, folder,
            { inFolder }, true, { toolKey, folderKey }, { inFolder }, { inFolder } },
        { "a folder without a normal MSINFO32.EXE has no tool", std::nullopt, folder, {}, false,
            { toolKey, folderKey }, { inFolder }, {} },
        { "without either value there is no tool", std::nullopt, std::nullopt, {}, false,
            { toolKey, folderKey }, {}, {} },
    };
    for (const LaunchCase &c : cases) {
        SCOPED_TRACE(c.rule);
        FakeRegistry registry;
        if (c.toolValue)
            registry.keys[toolKey]["PATH"] = *c.toolValue;
        if (c.folderValue)
            registry.keys[folderKey]["MSINFO"] = *c.folderValue;
        FakeFileTest files;
        files.normalFiles = c.normalFiles;
        FakeProgramStarter programs;
        programs.startable = { "C:\\Tools\\info.exe", inFolder };
        SysInfoServices services { registry, files, programs };

        EXPECT_EQ(StartSysInfo(services), c.started);
        std::vector<std::string> keys;
        for (const FakeRegistry::OpenCall &call : registry.opens)
            keys.push_back(call.subKey);
        EXPECT_EQ(keys, c.keys);
        EXPECT_EQ(registry.closes, registry.openedKeys());
        EXPECT_EQ(files.tested, c.tested);
        EXPECT_EQ(programs.attempts, c.attempts);
    }
}

} // namespace
