// The system-information lookup against Wine's own registry, file system and process start. The
// tests write the registry values themselves, the machine's hive included: Wine lets them, and
// the prefix they run in is thrown away after the run.
#include "platform/sysinfo/sys_info.h"
#include "platform/win32/api/win32_file_test.h"
#include "platform/win32/api/win32_program_starter.h"
#include "platform/win32/api/win32_registry.h"
#include "stand_in.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <iterator>
#include <optional>

using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

struct StoredValue
{
    DWORD type;
    std::string bytes;
};

// Stores the value under the key, creating the key, or deletes the value when there is none.
void setValue(HKEY root, const std::string &keyName, const char *name,
    const std::optional<StoredValue> &value)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(
                  root, keyName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS)
        << "cannot write the key " << keyName;
    if (value) {
        // The system counts a NUL that follows a text in memory as part of it, whatever size it
        // is given: a text meant to be stored without one comes from a buffer that goes on.
        const std::string buffer = value->bytes + '#';
        EXPECT_EQ(RegSetValueExA(key, name, 0, value->type,
                      reinterpret_cast<const BYTE *>(buffer.data()), DWORD(value->bytes.size())),
            ERROR_SUCCESS);
        DWORD stored = 0;
        RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &stored);
        EXPECT_EQ(stored, value->bytes.size()) << "the value is not stored as the case needs";
    } else {
        RegDeleteValueA(key, name);
    }
    RegCloseKey(key);
}

// The lookup takes its root by the number Windows gives it: HKEY_CURRENT_USER.
constexpr std::uint32_t currentUser = 0x80000001;
// In the user's own hive, which a standard user may write.
const std::string testKey = "Software\\Glyphorbitaloscopex tests";

enum class Outcome { Read, Missing, Error };

struct ValueCase
{
    const char *rule;
    bool keyExists;
    std::optional<StoredValue> value;
    Outcome outcome;
    std::string text; // what the text holds afterwards; it starts as "before"
};

TEST(Win32GetKeyValue, TrimsAndConvertsEachKindOfStoredValue)
{
    const std::string path = "C:\\Program Files\\Common Files\\info.exe";
    const std::string full(1024, 'a');
    const ValueCase cases[] = {
        { "text stored with its NUL loses exactly that byte", true,
            StoredValue { REG_SZ, path + '\0' }, Outcome::Read, path },
        { "text stored without a NUL is used whole", true, StoredValue { REG_SZ, path },
            Outcome::Read, path },
        { "of two NULs only the last goes", true, StoredValue { REG_SZ, "ab\0\0"s }, Outcome::Read,
            "ab\0"s },
        { "1024 bytes without any NUL fill the buffer and are used whole", true,
            StoredValue { REG_SZ, full }, Outcome::Read, full },
        { "1500 bytes do not fit and count as missing", true,
            StoredValue { REG_SZ, std::string(1499, 'a') + '\0' }, Outcome::Missing, "" },
        { "size 0 is an error", true, StoredValue { REG_SZ, "" }, Outcome::Error, "before" },
        { "expandable text counts as read but leaves the text alone", true,
            StoredValue { REG_EXPAND_SZ, "%SystemRoot%\\info.exe\0"s }, Outcome::Read, "before" },
        { "a number becomes the decimal digits of its bytes, last first", true,
            StoredValue { REG_DWORD, "\x05\x01\x00\x00"s }, Outcome::Read, "261" },
        { "a missing value empties the text", true, std::nullopt, Outcome::Missing, "" },
        { "a missing key empties the text", false, std::nullopt, Outcome::Missing, "" },
    };
    for (const ValueCase &c : cases) {
        SCOPED_TRACE(c.rule);
        RegDeleteTreeA(HKEY_CURRENT_USER, testKey.c_str());
        if (c.keyExists) {
            ASSERT_NO_FATAL_FAILURE(setValue(HKEY_CURRENT_USER, testKey, "PATH", c.value));
        }

        Win32Registry registry;
        std::string text = "before";
        const Outcome outcome = [&] {
            try {
                return GetKeyValue(registry, currentUser, testKey, "PATH", text) ? Outcome::Read
                                                                                 : Outcome::Missing;
            } catch (const KeyValueError &) {
                return Outcome::Error;
            }
        }();
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(text, c.text);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, testKey.c_str());
}

const std::string toolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string folderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

// A folder per case in the Windows form, named with a space and a letter of the code page, as the
// folders the tool is installed in may be.
class SysInfoLaunch : public testing::Test
{
protected:
    void SetUp() override
    {
        m_root = StandIn::makeFolder("Tools \xE9t\xE9 ");
        ASSERT_FALSE(m_root.empty());
        m_standIn = StandIn::builtPath();
        ASSERT_TRUE(fs::exists(StandIn::wide(m_standIn)))
            << m_standIn << " was not built beside the test";
    }

    void TearDown() override
    {
        setValue(HKEY_LOCAL_MACHINE, toolKey, "PATH", std::nullopt);
        setValue(HKEY_LOCAL_MACHINE, folderKey, "MSINFO", std::nullopt);
        StandIn::removeFolder(m_root);
    }

    std::string caseFolder(int index) const
    {
        const std::string folder = m_root + "\\case " + std::to_string(index);
        return CreateDirectoryA(folder.c_str(), nullptr) ? folder : std::string();
    }

    void copyStandIn(const std::string &target, DWORD attributes) const
    {
        ASSERT_TRUE(CopyFileA(m_standIn.c_str(), target.c_str(), TRUE));
        ASSERT_TRUE(SetFileAttributesA(target.c_str(), attributes));
        // Wine keeps the hidden and system marks in an extended attribute of the file: on a file
        // system without them the case would test nothing.
        ASSERT_EQ(GetFileAttributesA(target.c_str()), attributes)
            << "the file system does not keep the attributes of " << target;
    }

private:
    std::string m_root;
    std::string m_standIn;
};

// What the first value names, in the case's folder; the second one always names that folder.
enum class FirstValue { None, Program, MissingFile };
enum class Ran { Nothing, Program, ToolInFolder };

struct LaunchCase
{
    const char *rule;
    FirstValue first;
    // The attributes of MSINFO32.EXE in the folder; none when it has no such file.
    std::optional<DWORD> toolInFolder;
    Ran ran;
};

const LaunchCase launchCases[] = {
    { "the program the first value names starts, and the folder is not looked at",
        FirstValue::Program, FILE_ATTRIBUTE_ARCHIVE, Ran::Program },
    { "a first value naming a missing file ends the lookup", FirstValue::MissingFile,
        FILE_ATTRIBUTE_ARCHIVE, Ran::Nothing },
    { "without the first value, a plain MSINFO32.EXE in the folder starts", FirstValue::None,
        FILE_ATTRIBUTE_ARCHIVE, Ran::ToolInFolder },
    { "a hidden MSINFO32.EXE does not count", FirstValue::None,
        FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN, Ran::Nothing },
    { "a system MSINFO32.EXE does not count", FirstValue::None,
        FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM, Ran::Nothing },
    { "a folder without MSINFO32.EXE has no tool", FirstValue::None, std::nullopt, Ran::Nothing },
};

TEST_F(SysInfoLaunch, StartsTheToolTheRegistryNamesOrReportsItUnavailable)
{
    for (int index = 0; index < int(std::size(launchCases)); ++index) {
        const LaunchCase &c = launchCases[index];
        SCOPED_TRACE(c.rule);
        const std::string folder = caseFolder(index);
        ASSERT_FALSE(folder.empty());
        const std::string program = folder + "\\info.exe";
        ASSERT_NO_FATAL_FAILURE(copyStandIn(program, FILE_ATTRIBUTE_ARCHIVE));
        const std::string toolInFolder = folder + "\\MSINFO32.EXE";
        if (c.toolInFolder) {
            ASSERT_NO_FATAL_FAILURE(copyStandIn(toolInFolder, *c.toolInFolder));
        }
        std::optional<StoredValue> first;
        if (c.first == FirstValue::Program)
            first = StoredValue { REG_SZ, program + '\0' };
        else if (c.first == FirstValue::MissingFile)
            first = StoredValue { REG_SZ, folder + "\\missing.exe\0"s };
        ASSERT_NO_FATAL_FAILURE(setValue(HKEY_LOCAL_MACHINE, toolKey, "PATH", first));
        ASSERT_NO_FATAL_FAILURE(setValue(
            HKEY_LOCAL_MACHINE, folderKey, "MSINFO", StoredValue { REG_SZ, folder + '\0' }));

        Win32Registry registry;
        Win32FileTest files;
        Win32ProgramStarter programs;
        SysInfoServices services { registry, files, programs };
        const bool started = StartSysInfo(services);
        EXPECT_EQ(started, c.ran != Ran::Nothing);

        if (started && c.ran != Ran::Nothing) {
            const std::string ran = c.ran == Ran::Program ? program : toolInFolder;
            // Started by its own path alone, with no arguments, in a normal window.
            EXPECT_EQ(StandIn::reportOfRun(ran), '"' + ran + "\"\nshow 1");
        }
    }
}

} // namespace
