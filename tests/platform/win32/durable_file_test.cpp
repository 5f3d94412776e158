#include "platform/win32/api/durable_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <optional>
#include <set>
#include <thread>
#include <vector>

namespace {

// The whole content, read as the program reads a settings file: shared for reading and writing,
// as the file classes of the C runtime and of Qt open it.
struct Read
{
    std::optional<std::string> content;
    DWORD error = ERROR_SUCCESS;
};

Read readFile(const std::wstring &path)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return { std::nullopt, GetLastError() };
    std::string content;
    char buffer[4096];
    DWORD count = 0;
    while (ReadFile(file, buffer, sizeof buffer, &count, nullptr) && count > 0)
        content.append(buffer, count);
    CloseHandle(file);
    return { content };
}

void createFile(const std::wstring &path, const std::string &content)
{
    const HANDLE file = CreateFileW(
        path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, content.data(), DWORD(content.size()), &written, nullptr));
    CloseHandle(file);
}

// A folder named with characters outside every code page, in the Windows form: drive letter,
// backslashes. The program's own folder may be named anything the user chose.
class DurableFile : public testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t temporary[MAX_PATH + 1];
        ASSERT_GT(GetTempPathW(MAX_PATH + 1, temporary), 0u);
        m_root = std::wstring(temporary) + L"R\u00E9glages \u20AC \u4E2D "
            + std::to_wstring(GetCurrentProcessId());
        m_folder = m_root + L"\\AppFiles";
        ASSERT_TRUE(CreateDirectoryW(m_root.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
    }

    void TearDown() override
    {
        for (const std::wstring &name : namesInFolder()) {
            const std::wstring entry = path(name.c_str());
            SetFileAttributesW(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileW(entry.c_str()))
                RemoveDirectoryW(entry.c_str());
        }
        RemoveDirectoryW(m_folder.c_str());
        RemoveDirectoryW(m_root.c_str());
    }

    std::wstring path(const wchar_t *name) const { return m_folder + L"\\" + name; }

    std::set<std::wstring> namesInFolder() const
    {
        std::set<std::wstring> names;
        WIN32_FIND_DATAW entry;
        const HANDLE search = FindFirstFileW((m_folder + L"\\*").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            const std::wstring name = entry.cFileName;
            if (name != L"." && name != L"..")
                names.insert(name);
        } while (FindNextFileW(search, &entry));
        FindClose(search);
        return names;
    }

private:
    std::wstring m_root;
    std::wstring m_folder;
};

struct Replacement
{
    const char *rule;
    std::optional<std::string> before;
    std::string written;
};

const Replacement replacements[] = {
    { "a missing file is created", std::nullopt, "1\r\n" },
    { "a shorter value leaves nothing of the longer one", "11111\r\n", "0\r\n" },
    { "a longer value replaces a shorter one", "0\r\n", "11011\r\n" },
    { "bytes pass as they are, with no line end translated", "1\r\n", "1\n\r\r\n\x80\xFF" },
};

TEST_F(DurableFile, ASettingsFileHoldsExactlyTheBytesWritten)
{
    for (const Replacement &replacement : replacements) {
        SCOPED_TRACE(replacement.rule);
        const std::wstring target = path(L"AppFile4.DLL");
        DeleteFileW(target.c_str());
        if (replacement.before)
            createFile(target, *replacement.before);

        EXPECT_FALSE(win32::writeFileDurably(target, replacement.written));

        EXPECT_EQ(readFile(target).content, replacement.written);
        EXPECT_EQ(namesInFolder(), std::set<std::wstring> { L"AppFile4.DLL" });
    }
}

TEST_F(DurableFile, AMissingFolderIsReportedAndNothingIsCreated)
{
    const std::wstring target = path(L"Missing\\AppFile1.DLL");

    const std::error_code error = win32::writeFileDurably(target, "0\r\n");

    EXPECT_EQ(error.value(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(error.message().empty());
    EXPECT_TRUE(namesInFolder().empty());
}

enum class Obstacle { WriteProtected, Folder };

struct Refusal
{
    const char *rule;
    Obstacle obstacle;
};

const Refusal refusals[] = {
    { "a write-protected file keeps its content", Obstacle::WriteProtected },
    { "a folder in the file's place stays", Obstacle::Folder },
};

TEST_F(DurableFile, ARefusedReplacementKeepsWhatWasThereAndLeavesNoTemporaryFile)
{
    for (const Refusal &refusal : refusals) {
        SCOPED_TRACE(refusal.rule);
        const std::wstring target = path(L"AppFile2.DLL");
        if (refusal.obstacle == Obstacle::Folder) {
            ASSERT_TRUE(CreateDirectoryW(target.c_str(), nullptr));
        } else {
            createFile(target, "1\r\n");
            ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
        }

        EXPECT_EQ(win32::writeFileDurably(target, "0\r\n").value(), ERROR_ACCESS_DENIED);

        if (refusal.obstacle == Obstacle::Folder) {
            EXPECT_TRUE(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
            RemoveDirectoryW(target.c_str());
        } else {
            EXPECT_EQ(readFile(target).content, "1\r\n");
            SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(target.c_str());
        }
        EXPECT_TRUE(namesInFolder().empty());
    }
}

bool isWhole(const Read &read, const std::string (&values)[2])
{
    return read.content == values[0] || read.content == values[1];
}

// Another copy of the program may read the file at the moment this one replaces it. Windows
// refuses to replace a file that is open, so the writer must wait for the reader; the reader may
// be refused for the moment of the replacement, but must never find the file missing, empty or
// half written.
TEST_F(DurableFile, AReaderMeanwhileSeesOnlyWholeOldOrNewContent)
{
    const std::wstring target = path(L"AppFile4.DLL");
    const std::string values[] = { "11111\r\n", std::string(20000, '0') + "\r\n" };
    createFile(target, values[0]);

    std::atomic<bool> writing { true };
    std::atomic<bool> readOnce { false };
    std::vector<Read> reads;
    std::thread reader([&] {
        while (writing || !readOnce) {
            const Read read = readFile(target);
            if (read.error != ERROR_SHARING_VIOLATION)
                reads.push_back(read);
            readOnce = readOnce || read.content.has_value();
            // A reader that never lets go of the file would hold off every writer.
            Sleep(1);
        }
    });
    while (!readOnce)
        std::this_thread::yield();

    std::vector<std::error_code> failures;
    for (int i = 1; i <= 200; ++i) {
        if (const std::error_code error = win32::writeFileDurably(target, values[i % 2]))
            failures.push_back(error);
    }
    writing = false;
    reader.join();

    EXPECT_EQ(failures.size(), 0u) << failures.front().message();
    for (const Read &read : reads) {
        ASSERT_TRUE(read.content) << "the reader could not open the file, error " << read.error;
        ASSERT_TRUE(isWhole(read, values)) << "the reader saw " << read.content->size() << " bytes";
    }
    EXPECT_EQ(readFile(target).content, values[0]);
}

} // namespace
