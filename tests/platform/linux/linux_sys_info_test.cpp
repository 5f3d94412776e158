#include "platform/linux/linux_file_test.h"
#include "platform/linux/linux_program_starter.h"
#include "platform/linux/linux_registry.h"
#include "platform/sysinfo/sys_info.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdlib.h>
#include <thread>

using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

// A folder of its own per test, so that nothing on the machine's own PATH takes part.
class TemporaryFolder
{
public:
    TemporaryFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "sys-info-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~TemporaryFolder()
    {
        if (!m_path.empty())
            fs::remove_all(m_path);
    }
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;

    std::string path(const std::string &name = {}) const { return m_path + '/' + name; }

    std::string addFile(const std::string &name, bool executable,
        const std::string &script = "#!/bin/sh\nexit 0\n") const
    {
        fs::create_directories(fs::path(path(name)).parent_path());
        std::ofstream(path(name)) << script;
        fs::permissions(path(name),
            executable ? fs::perms::owner_all : fs::perms::owner_read | fs::perms::owner_write);
        return path(name);
    }

private:
    std::string m_path;
};

struct ToolCase
{
    const char *rule;
    std::string searchPath;
    std::string key;
    bool found;
    std::string text;
};

TEST(LinuxRegistry, NamesTheFirstListedToolOnTheSearchPath)
{
    TemporaryFolder folder;
    ASSERT_FALSE(folder.path().empty());
    const std::string late = folder.addFile("a/cpu-x", true);
    const std::string early = folder.addFile("b/hardinfo", true);
    folder.addFile("b/hardinfo2", false);
    fs::create_directories(folder.path("a/kinfocenter"));
    fs::create_directories(folder.path("empty"));
    // From inside the folder, the relative entry "b" would find the preferred tool.
    const fs::path startedIn = fs::current_path();
    fs::current_path(folder.path());
    const std::string both = folder.path("a") + ':' + folder.path("b");
    const ToolCase cases[] = {
        { "the list's order wins over the search path's; folders and unexecutable files are no "
          "tool",
            both, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", true, early },
        { "empty and relative entries are skipped", ":b:.:" + folder.path("a"),
            "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", true, late },
        { "key names ignore case", both, "software\\microsoft\\shared tools\\msinfo", true, early },
        { "no tool, no value", folder.path("empty"), "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
            false, "" },
        { "any other key is missing", both, "SOFTWARE\\Microsoft\\Shared Tools Location", false,
            "" },
    };
    for (const ToolCase &c : cases) {
        SCOPED_TRACE(c.rule);
        LinuxRegistry registry(c.searchPath);
        std::string text;
        EXPECT_EQ(GetKeyValue(registry, Registry::localMachine, c.key, "PATH", text), c.found);
        EXPECT_EQ(text, c.text);
    }
    fs::current_path(startedIn);
}

TEST(LinuxRegistry, PathLongerThanTheBufferAsksForMore)
{
    TemporaryFolder folder;
    const std::string tool = folder.addFile("hardinfo", true);
    LinuxRegistry registry(folder.path());
    const Registry::Opened opened = registry.open(
        Registry::localMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", Registry::keyRead);
    std::vector<unsigned char> buffer(tool.size());
    const Registry::Queried queried = registry.query(opened.key, "PATH", buffer);
    EXPECT_EQ(queried.status, Registry::moreData);
    EXPECT_EQ(queried.size, tool.size() + 1);
}

TEST(LinuxFileTest, OnlyVisibleRegularFilesAreNormal)
{
    TemporaryFolder folder;
    const std::string file = folder.addFile("MSINFO32.EXE", false);
    folder.addFile(".MSINFO32.EXE", false);
    fs::create_directories(folder.path("folder"));
    fs::create_symlink(file, folder.path("link"));
    const std::pair<std::string, bool> cases[] = {
        { file, true },
        { folder.path("link"), true },
        { folder.path(".MSINFO32.EXE"), false },
        { folder.path("folder"), false },
        { folder.path("missing"), false },
        { file + "\0.txt"s, false },
    };
    LinuxFileTest files;
    for (const auto &[path, normal] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(files.isNormalFile(path), normal);
    }
}

TEST(LinuxProgramStarter, StartsOnlyAnExecutableByAbsolutePath)
{
    TemporaryFolder folder;
    const std::string program = folder.addFile("tool", true);
    const std::pair<std::string, bool> cases[] = {
        { program, true },
        { folder.path("missing"), false },
        // Found on PATH if it were searched for.
        { "sh", false },
        { "", false },
        { program + "\0-x"s, false },
    };
    LinuxProgramStarter programs;
    for (const auto &[path, started] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(programs.start(path), started);
    }
}

// A program that writes the count of its arguments, the name it was started by and each
// argument, one to a line, into record; renamed into place whole, so that a reader never sees
// half of it.
std::string recorderScript(const std::string &record)
{
    return "#!/bin/sh\n{ printf '%s\\n' \"$#\" \"$0\"; for a; do printf '%s\\n' \"$a\"; done; } >'"
        + record + ".part' && mv '" + record + ".part' '" + record + "'\n";
}

std::string waitForRecord(const std::string &record)
{
    // The start does not wait for the program, so its record comes when it comes.
    for (int i = 0; i < 400 && !fs::exists(record); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::ostringstream text;
    text << std::ifstream(record).rdbuf();
    return text.str();
}

TEST(LinuxSysInfo, StartsExactlyTheFoundToolWithoutShellArgumentsOrSearch)
{
    // Folder names that a shell would split, expand or run; a colon cannot be in a PATH entry.
    const char *const names[] = {
        "with spaces",
        "semi;colon && touch injected",
        "$(touch injected)",
        "`touch injected`",
        "quotes ' \" and \\ backslash",
        "new\nline",
        "glob * ? [a]",
        "-dash | touch injected > out",
    };
    for (const char *name : names) {
        SCOPED_TRACE(name);
        TemporaryFolder folder;
        ASSERT_EQ(folder.path().find('\''), std::string::npos);
        const std::string record = folder.path("record");
        const std::string tool
            = folder.addFile(std::string(name) + "/hardinfo2", true, recorderScript(record));
        // The preferred tool, first on the search path but in a relative folder: the lookup must
        // pass it by, or the launcher would run whatever lies in the current folder.
        folder.addFile("bin/hardinfo2", true, recorderScript(folder.path("decoy")));
        const fs::path startedIn = fs::current_path();
        fs::current_path(folder.path());
        LinuxRegistry registry("bin:" + folder.path(name));
        LinuxFileTest files;
        LinuxProgramStarter programs;
        SysInfoServices services { registry, files, programs };
        const bool started = StartSysInfo(services);
        fs::current_path(startedIn);

        EXPECT_TRUE(started);
        // No argument, and started by its own absolute path.
        EXPECT_EQ(waitForRecord(record), "0\n" + tool + "\n");
        EXPECT_FALSE(fs::exists(folder.path("decoy")));
        EXPECT_FALSE(fs::exists(folder.path("injected")));
        EXPECT_FALSE(fs::exists(folder.path("out")));
    }
}

} // namespace
