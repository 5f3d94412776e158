// Links handed to Wine's shell, which finds the program for an address's scheme in the registry
// as Windows does. The tests make a copy of the stand-in program the browser for web addresses.
// Wine reads the classes of the machine alone (Windows would let the user's own ones come first),
// so they register it there and put the shell's own browser back afterwards.
#include "platform/win32/api/open_url.h"
#include "stand_in.h"

#include <gtest/gtest.h>
#include <process.h>
#include <windows.h>

#include <chrono>
#include <vector>

namespace {

const char *const webSchemes[] = { "http", "https" };

std::string commandKey(const std::string &scheme)
{
    return scheme + "\\shell\\open\\command";
}

std::string browserCommand(const std::string &scheme)
{
    char command[1024];
    LONG size = sizeof command;
    return RegQueryValueA(HKEY_CLASSES_ROOT, commandKey(scheme).c_str(), command, &size)
            == ERROR_SUCCESS
        ? command
        : "";
}

void setBrowserCommand(const std::string &scheme, const std::string &command)
{
    ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, commandKey(scheme).c_str(), REG_SZ, command.c_str(),
                  DWORD(command.size())),
        ERROR_SUCCESS);
}

std::vector<HWND> visibleWindowsOfThisProcess()
{
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM found) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == GetCurrentProcessId() && IsWindowVisible(window))
                reinterpret_cast<std::vector<HWND> *>(found)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// A message box the shell might show would hold it up; false when the shell is not done after a
// generous while.
bool openReturns(const std::string &address)
{
    Win32::openUrl(address);
    return Win32::finishOpeningUrls(std::chrono::seconds(20));
}

// A folder in the Windows form, named with a space and a letter of the code page, as a browser's
// folder may be.
class OpenUrl : public testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = StandIn::makeFolder("Br\xF6wser ");
        ASSERT_FALSE(m_folder.empty());
        m_browser = m_folder + "\\browser.exe";
        ASSERT_TRUE(CopyFileA(StandIn::builtPath().c_str(), m_browser.c_str(), TRUE))
            << "the stand-in program was not built beside the test";
        for (const char *scheme : webSchemes)
            m_shellsBrowser.emplace_back(browserCommand(scheme));
    }

    void registerBrowser(const std::string &command)
    {
        for (const char *scheme : webSchemes)
            ASSERT_NO_FATAL_FAILURE(setBrowserCommand(scheme, command));
    }

    void TearDown() override
    {
        for (std::size_t i = 0; i < m_shellsBrowser.size(); ++i)
            setBrowserCommand(webSchemes[i], m_shellsBrowser[i]);
        StandIn::removeFolder(m_folder);
    }

    std::string m_folder;
    std::string m_browser;
    std::vector<std::string> m_shellsBrowser;
};

struct AddressCase
{
    const char *rule;
    std::string address;
    std::string arrives
        = {}; // in the code page of the command line the stand-in reads; empty: same
};

TEST_F(OpenUrl, TheBrowserGetsExactlyTheAddressAndIsToShow)
{
    ASSERT_NO_FATAL_FAILURE(registerBrowser('"' + m_browser + "\" \"%1\""));
    const AddressCase cases[] = {
        { "a plain web address", "http://www.example.com/" },
        { "a secure address with a path, a query and a fragment",
            "https://www.example.org/author/page?id=7&tab=links#top" },
        { "escapes stay as they are", "http://www.example.net/a%20b%25c" },
        { "a letter of the code page arrives as that letter", "http://www.example.com/caf\xC3\xA9",
            "http://www.example.com/caf\xE9" },
    };
    for (const AddressCase &c : cases) {
        SCOPED_TRACE(c.rule);
        DeleteFileA((m_browser + ".started").c_str());
        ASSERT_TRUE(openReturns(c.address));
        EXPECT_EQ(StandIn::reportOfRun(m_browser),
            '"' + m_browser + "\" \"" + (c.arrives.empty() ? c.address : c.arrives) + "\"\nshow "
                + std::to_string(SW_SHOWNORMAL));
    }
}

// The exit ends the process at once, which must not cut off a link clicked just before.
TEST_F(OpenUrl, TheExitRightAfterAClickStillStartsTheBrowser)
{
    ASSERT_NO_FATAL_FAILURE(registerBrowser('"' + m_browser + "\" \"%1\""));
    const std::string standIn = StandIn::builtPath();
    const std::string clicker = standIn.substr(0, standIn.rfind('\\')) + "\\open_url_then_exit.exe";
    ASSERT_EQ(_spawnl(_P_WAIT, clicker.c_str(), ('"' + clicker + '"').c_str(),
                  "http://www.example.com/", nullptr),
        0);
    EXPECT_EQ(StandIn::reportOfRun(m_browser),
        '"' + m_browser + "\" \"http://www.example.com/\"\nshow " + std::to_string(SW_SHOWNORMAL));
}

struct FailureCase
{
    const char *rule;
    std::string browserCommand;
    std::string address;
};

TEST_F(OpenUrl, AnAddressThatCannotBeOpenedIsDroppedSilently)
{
    const FailureCase cases[] = {
        { "a scheme no program is registered for", "", "glyph-no-such-scheme://www.example.com/" },
        { "a browser registered but missing", '"' + m_folder + "\\missing.exe\" \"%1\"",
            "http://www.example.com/" },
    };
    for (const FailureCase &c : cases) {
        SCOPED_TRACE(c.rule);
        if (!c.browserCommand.empty()) {
            ASSERT_NO_FATAL_FAILURE(registerBrowser(c.browserCommand));
        }
        EXPECT_TRUE(openReturns(c.address)) << "the shell is waiting for the user";
        EXPECT_EQ(visibleWindowsOfThisProcess(), std::vector<HWND>()) << "the shell spoke up";
    }
}

} // namespace
