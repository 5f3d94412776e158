#include "app_folder.h"
#include "qt_printers.h"
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <optional>
#include <variant>

#ifdef _WIN32
#include <winerror.h>
#else
#include <cerrno>
#include <csignal>
#include <ctime>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using Kind = SettingsError::Kind;

const QStringList allFourFiles { QStringLiteral("AppFile1.DLL"), QStringLiteral("AppFile2.DLL"),
    QStringLiteral("AppFile3.DLL"), QStringLiteral("AppFile4.DLL") };

// Reads a file the way the program reads that file, so one table can cover all four.
std::variant<std::int16_t, bool, QString> readAsTheProgramDoes(
    const SettingsStore &store, SettingsFile file)
{
    switch (file) {
    case SettingsFile::FirstRun:
    case SettingsFile::Mode:
        return store.readInteger(file);
    case SettingsFile::StatusBar:
        return store.readNumberEqualsOne(file);
    case SettingsFile::PanelMask:
        break;
    }
    return store.readText(file);
}

template<typename Action> std::optional<SettingsError> errorFrom(Action &&action)
{
    try {
        action();
    } catch (const SettingsError &error) {
        return error;
    }
    return std::nullopt;
}

// A message box shows the description, so it must not carry raw control characters from the
// file; the line break between the problem and the hint is the message's own.
void expectNoControlCharacters(const QString &description)
{
    for (const QChar c : description) {
        if (c == u'\n')
            continue;
        EXPECT_NE(c.category(), QChar::Other_Control)
            << "U+" << std::hex << int(c.unicode()) << " in: " << description.toStdString();
    }
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

class SettingsStoreTest : public ::testing::Test
{
protected:
    QString appFiles() const { return QDir(folder.path()).filePath(QStringLiteral("AppFiles")); }

    AppFolder folder;
    SettingsStore store { folder.path() };
};

// ---- Reading ----------------------------------------------------------------------------------

TEST_F(SettingsStoreTest, EachFileIsReadFromItsOwnPlace)
{
    folder.writeRaw(1, "11\r\n");
    folder.writeRaw(2, "22\r\n");
    folder.writeRaw(3, "0\r\n");
    folder.writeRaw(4, "01010\r\n");
    EXPECT_EQ(store.readInteger(SettingsFile::FirstRun), 11);
    EXPECT_EQ(store.readInteger(SettingsFile::Mode), 22);
    EXPECT_FALSE(store.readNumberEqualsOne(SettingsFile::StatusBar));
    EXPECT_EQ(store.readText(SettingsFile::PanelMask), QStringLiteral("01010"));
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(QFileInfo(store.path(SettingsFile(n))), QFileInfo(folder.filePath(n)));
}

TEST_F(SettingsStoreTest, IntegerIsTheFirstFieldOfTheFirstLine)
{
    const std::pair<QByteArray, int> cases[] = {
        { "1\r\n", 1 },
        { "0\r\n", 0 },
        { "0", 0 },
        { "  7\r\n", 7 },
        { "\t7\r\n", 7 },
        { "7  \r\n", 7 },
        { "+4\r\n", 4 },
        { "1,2\r\n", 1 },
        { "-32768\r\n", -32768 },
        { "32767\r\n", 32767 },
        { "00012\r\n", 12 },
        { "5", 5 },
        { "3\n", 3 },
        { "3\nabc\n", 3 },
        { "9\r\n0\r\n", 9 },
        { "\xEF\xBB\xBF"
          "1\r\n",
            1 },
    };
    for (const auto &[bytes, expected] : cases) {
        SCOPED_TRACE(bytes.toStdString());
        folder.writeRaw(2, bytes);
        EXPECT_EQ(store.readInteger(SettingsFile::Mode), expected);
    }
}

TEST_F(SettingsStoreTest, DecimalIsRoundedToTheNearestIntegerHalfToEven)
{
    const std::pair<QByteArray, int> cases[] = {
        { "1.0\r\n", 1 },
        { "1.5\r\n", 2 },
        { "2.5\r\n", 2 },
        { "-2.5\r\n", -2 },
        { "0.4\r\n", 0 },
        { "1e2\r\n", 100 },
        { "32767.4\r\n", 32767 },
        { "-32768.5\r\n", -32768 },
    };
    for (const auto &[bytes, expected] : cases) {
        SCOPED_TRACE(bytes.toStdString());
        folder.writeRaw(1, bytes);
        EXPECT_EQ(store.readInteger(SettingsFile::FirstRun), expected);
    }
}

TEST_F(SettingsStoreTest, PanelMaskIsReadAsTextCharacterForCharacter)
{
    const std::pair<QByteArray, const char *> cases[] = {
        { "00110\r\n", "00110" },
        { "  01,1\r\n", "01" },
        { "10110\r\nmore text", "10110" },
        { "10110\nmore text", "10110" },
        { "1011", "1011" },
        { "abcde\r\n", "abcde" },
        { "1 0 1\r\n", "1 0 1" },
        { "\xEF\xBB\xBF"
          "01101\r\n",
            "01101" },
    };
    for (const auto &[bytes, expected] : cases) {
        SCOPED_TRACE(bytes.toStdString());
        folder.writeRaw(4, bytes);
        EXPECT_EQ(store.readText(SettingsFile::PanelMask), QString::fromLatin1(expected));
    }
}

TEST_F(SettingsStoreTest, StatusBarFlagIsOnOnlyForANumberEqualToOne)
{
    const std::pair<QByteArray, bool> cases[] = {
        { "1\r\n", true },
        { "1", true },
        { "1.0\r\n", true },
        { "1e0\r\n", true },
        { " 1 \r\n", true },
        { "1,0\r\n", true },
        { "0\r\n", false },
        { "2\r\n", false },
        { "-1\r\n", false },
        { "0.5\r\n", false },
    };
    for (const auto &[bytes, expected] : cases) {
        SCOPED_TRACE(bytes.toStdString());
        folder.writeRaw(3, bytes);
        EXPECT_EQ(store.readNumberEqualsOne(SettingsFile::StatusBar), expected);
    }
}

// ---- Reading errors ---------------------------------------------------------------------------

TEST_F(SettingsStoreTest, MissingFileOrFolderIsReportedAsNotFound)
{
    folder.remove(2);
    std::optional<SettingsError> error
        = errorFrom([&] { return store.readInteger(SettingsFile::Mode); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), Kind::NotFound);
    EXPECT_TRUE(error->description().contains(QStringLiteral("AppFile2.DLL")));

    folder.removeFolder();
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        error = errorFrom([&] { readAsTheProgramDoes(store, SettingsFile(n)); });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->kind(), Kind::NotFound);
    }
}

struct BadContent
{
    SettingsFile file;
    QByteArray bytes;
    QStringList mentions;
};

TEST_F(SettingsStoreTest, UnreadableContentIsNamedInTheMessageAndLeftUntouched)
{
    const QString range = QStringLiteral("32767");
    const BadContent cases[] = {
        { SettingsFile::FirstRun, "", { "AppFile1.DLL", "empty" } },
        { SettingsFile::PanelMask, "", { "AppFile4.DLL", "empty" } },
        { SettingsFile::StatusBar, "", { "AppFile3.DLL", "empty" } },
        { SettingsFile::Mode, "\r\n", { "AppFile2.DLL" } },
        { SettingsFile::Mode, "   \r\n", { "AppFile2.DLL" } },
        { SettingsFile::Mode, ",1\r\n", { "AppFile2.DLL" } },
        { SettingsFile::Mode, "abc\r\n", { "AppFile2.DLL", "\"abc\"" } },
        { SettingsFile::Mode, "12x\r\n", { "AppFile2.DLL", "\"12x\"" } },
        { SettingsFile::Mode, "-\r\n", { "AppFile2.DLL" } },
        { SettingsFile::Mode, "1 2\r\n", { "AppFile2.DLL" } },
        { SettingsFile::Mode, "99999\r\n", { "AppFile2.DLL", "overflow", range } },
        { SettingsFile::Mode, "32768\r\n", { "AppFile2.DLL", "overflow", range } },
        { SettingsFile::Mode, "-40000\r\n", { "AppFile2.DLL", "overflow", range } },
        { SettingsFile::FirstRun, "99999999999999999999\r\n", { "AppFile1.DLL", "overflow" } },
        { SettingsFile::Mode, "32767.5\r\n", { "AppFile2.DLL", "overflow", range } },
        { SettingsFile::StatusBar, "yes\r\n", { "AppFile3.DLL", "\"yes\"" } },
        { SettingsFile::StatusBar, "\r\n", { "AppFile3.DLL" } },
        { SettingsFile::StatusBar, "inf\r\n", { "AppFile3.DLL" } },
        { SettingsFile::StatusBar, "nan\r\n", { "AppFile3.DLL" } },
        { SettingsFile::StatusBar, "-inf\r\n", { "AppFile3.DLL" } },
        { SettingsFile::StatusBar, ".\r\n", { "AppFile3.DLL" } },
        { SettingsFile::StatusBar, "1e999\r\n", { "AppFile3.DLL" } },
    };
    for (const BadContent &c : cases) {
        const int n = static_cast<int>(c.file);
        SCOPED_TRACE(QStringLiteral("AppFile%1 holding \"%2\"")
                         .arg(n)
                         .arg(QString::fromLatin1(c.bytes))
                         .toStdString());
        folder.writeRaw(n, c.bytes);
        const std::optional<SettingsError> error
            = errorFrom([&] { readAsTheProgramDoes(store, c.file); });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->kind(), Kind::Other);
        for (const QString &mention : c.mentions)
            EXPECT_TRUE(error->description().contains(mention))
                << error->description().toStdString();
        EXPECT_EQ(folder.read(n), c.bytes);
    }
}

TEST_F(SettingsStoreTest, FolderInPlaceOfAFileIsReportedNotRead)
{
    folder.remove(2);
    ASSERT_TRUE(QDir(appFiles()).mkdir(QStringLiteral("AppFile2.DLL")));
    const std::optional<SettingsError> error
        = errorFrom([&] { return store.readInteger(SettingsFile::Mode); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), Kind::Other);
    EXPECT_TRUE(error->description().contains(QStringLiteral("AppFile2.DLL")));
}

TEST_F(SettingsStoreTest, BinaryContentGivesAMessageWithoutControlCharacters)
{
    const QByteArray junk[] = {
        QByteArray("\0\0\0\0", 4),
        QByteArray("\xFF\xFF\xFF\xFF"),
        QByteArray("\xFF\xFE\0\x01\x02", 5),
        QByteArray("1\0", 2),
        QByteArray("\x1B[2J\x07\x08\x7F"),
        QByteArray("\x0B\x0C\x09x"),
        // Bytes 0x80..0x9F read one-for-one become the C1 control characters.
        QByteArray("\x85\x9B\x90\x9D"),
    };
    for (const SettingsFile file : { SettingsFile::Mode, SettingsFile::StatusBar }) {
        for (const QByteArray &bytes : junk) {
            SCOPED_TRACE(bytes.toHex().toStdString());
            const int n = static_cast<int>(file);
            folder.writeRaw(n, bytes);
            const std::optional<SettingsError> error
                = errorFrom([&] { readAsTheProgramDoes(store, file); });
            ASSERT_TRUE(error);
            EXPECT_EQ(error->kind(), Kind::Other);
            EXPECT_TRUE(error->description().contains(QStringLiteral("AppFile%1.DLL").arg(n)));
            expectNoControlCharacters(error->description());
            EXPECT_EQ(folder.read(n), bytes);
        }
    }
}

TEST_F(SettingsStoreTest, HugeFileIsReadByItsFirstLineOnly)
{
    constexpr qsizetype fiftyMegabytes = 50 * 1024 * 1024;
    QByteArray bytes = "1\r\n";
    bytes.append(fiftyMegabytes - bytes.size(), '\xA7');
    folder.writeRaw(2, bytes);
    EXPECT_EQ(store.readInteger(SettingsFile::Mode), 1);

    // One endless line: the message quotes only its start.
    folder.writeRaw(2, QByteArray(fiftyMegabytes, 'x'));
    const std::optional<SettingsError> error
        = errorFrom([&] { return store.readInteger(SettingsFile::Mode); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), Kind::Other);
    EXPECT_LT(error->description().size(), 400);
    EXPECT_EQ(QFileInfo(folder.filePath(2)).size(), fiftyMegabytes);
}

// ---- Writing ----------------------------------------------------------------------------------

TEST_F(SettingsStoreTest, WriteLeavesTheValueAndCrLfAndNothingElse)
{
    store.write(SettingsFile::Mode, QStringLiteral("0"));
    EXPECT_EQ(folder.read(2), QByteArray("0\r\n"));
    store.write(SettingsFile::PanelMask, QStringLiteral("10110"));
    EXPECT_EQ(folder.read(4), QByteArray("10110\r\n"));
    store.write(SettingsFile::FirstRun, QStringLiteral("0"));
    EXPECT_EQ(folder.read(1), QByteArray("0\r\n"));
    store.write(SettingsFile::StatusBar, QStringLiteral("0"));
    EXPECT_EQ(folder.read(3), QByteArray("0\r\n"));
    EXPECT_EQ(filesIn(appFiles()), allFourFiles);
}

TEST_F(SettingsStoreTest, WriteReplacesLongerContentWhole)
{
    folder.writeRaw(4, "0000000000\r\nsecond line\r\n");
    store.write(SettingsFile::PanelMask, QStringLiteral("11011"));
    EXPECT_EQ(folder.read(4), QByteArray("11011\r\n"));
    EXPECT_EQ(store.readText(SettingsFile::PanelMask), QStringLiteral("11011"));
}

TEST_F(SettingsStoreTest, WriteProtectedFileIsRefusedAndKeepsItsContent)
{
    folder.writeRaw(2, "1\r\n");
    folder.setWriteProtected(2, true);
    const std::optional<SettingsError> error
        = errorFrom([&] { store.write(SettingsFile::Mode, QStringLiteral("0")); });
    folder.setWriteProtected(2, false);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), Kind::Other);
    EXPECT_TRUE(error->description().contains(QStringLiteral("Permission denied")))
        << error->description().toStdString();
    EXPECT_TRUE(error->description().contains(QStringLiteral("AppFile2.DLL")));
    EXPECT_EQ(folder.read(2), QByteArray("1\r\n"));
    EXPECT_EQ(filesIn(appFiles()), allFourFiles);
}

TEST_F(SettingsStoreTest, WriteWithoutTheFolderFailsAndCreatesNothing)
{
    folder.removeFolder();
    const std::optional<SettingsError> error
        = errorFrom([&] { store.write(SettingsFile::Mode, QStringLiteral("0")); });
    ASSERT_TRUE(error);
    EXPECT_FALSE(error->description().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(appFiles()));
    EXPECT_TRUE(filesIn(folder.path()).isEmpty());
}

TEST_F(SettingsStoreTest, WriteOverAFolderFailsAndLeavesTheFolder)
{
    folder.remove(2);
    ASSERT_TRUE(QDir(appFiles()).mkdir(QStringLiteral("AppFile2.DLL")));
    const std::optional<SettingsError> error
        = errorFrom([&] { store.write(SettingsFile::Mode, QStringLiteral("0")); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), Kind::Other);
    EXPECT_TRUE(QFileInfo(folder.filePath(2)).isDir());
    EXPECT_EQ(filesIn(appFiles()), allFourFiles);
}

// The system's error of the failed write tells whether the folder itself takes no file.
TEST_F(SettingsStoreTest, AFolderThatRefusesWritingIsNamedWithWhereToMoveTheProgram)
{
#ifdef _WIN32
    const std::pair<int, bool> refusals[]
        = { { ERROR_ACCESS_DENIED, true }, { ERROR_WRITE_PROTECT, true },
              { ERROR_NETWORK_ACCESS_DENIED, true }, { ERROR_SHARING_VIOLATION, false } };
#else
    const std::pair<int, bool> refusals[]
        = { { EACCES, true }, { EPERM, true }, { EROFS, true }, { ENOSPC, false } };
#endif
    const QString advice = QDir::toNativeSeparators(appFiles())
        + QStringLiteral(". Move the program's folder to a folder you own");
    for (const auto &[code, folderRefused] : refusals) {
        const QString text = store.writeFailureText(SettingsFile::Mode, writeFailure(code));
        EXPECT_EQ(text.contains(advice), folderRefused) << text.toStdString();
    }
}

#ifndef _WIN32

// Lowers the file size limit for this process and ignores the signal that would otherwise end
// it, putting both back however the test leaves.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        m_signalSaved = ::sigaction(SIGXFSZ, &ignore, &m_oldSignal) == 0;
        m_limitSaved = ::getrlimit(RLIMIT_FSIZE, &m_oldLimit) == 0;
        rlimit lowered = m_oldLimit;
        lowered.rlim_cur = bytes;
        m_applied = m_signalSaved && m_limitSaved && ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        if (m_limitSaved)
            ::setrlimit(RLIMIT_FSIZE, &m_oldLimit);
        if (m_signalSaved)
            ::sigaction(SIGXFSZ, &m_oldSignal, nullptr);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool applied() const { return m_applied; }

private:
    struct sigaction m_oldSignal = {};
    rlimit m_oldLimit = {};
    bool m_signalSaved = false;
    bool m_limitSaved = false;
    bool m_applied = false;
};

TEST_F(SettingsStoreTest, WriteCutShortByAFullDiskKeepsTheOldContent)
{
    std::optional<SettingsError> error;
    {
        const FileSizeLimit limit(2);
        ASSERT_TRUE(limit.applied());
        error = errorFrom([&] { store.write(SettingsFile::PanelMask, QStringLiteral("00000")); });
    }
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), Kind::Other);
    EXPECT_TRUE(error->description().contains(QStringLiteral("AppFile4.DLL")));
    EXPECT_EQ(folder.read(4), QByteArray("11111\r\n"));
    EXPECT_EQ(filesIn(appFiles()), allFourFiles);
}

double secondsSince(const timespec &start)
{
    timespec now;
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec - start.tv_sec) + double(now.tv_nsec - start.tv_nsec) / 1e9;
}

// Runs in the forked child: writes the two masks in turn, reporting each finished write on the
// pipe, until killed or out of time. Never returns into the test framework.
[[noreturn]] void writeMasksUntilKilled(const SettingsStore &store, int progress)
{
    timespec start;
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    const QString masks[] = { QStringLiteral("00000"), QStringLiteral("11111") };
    for (int i = 0; secondsSince(start) < 2.0; ++i) {
        try {
            store.write(SettingsFile::PanelMask, masks[i % 2]);
        } catch (...) {
            (void)!::write(progress, "E", 1);
            ::_exit(2);
        }
        (void)!::write(progress, ".", 1);
    }
    ::_exit(0);
}

TEST_F(SettingsStoreTest, WriteKilledAtAnyMomentLeavesOneWholeMask)
{
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipeEnds[0]);
            writeMasksUntilKilled(store, pipeEnds[1]);
        }
        ::close(pipeEnds[1]);

        // Let a varying number of writes finish, then give the next one a varying head start
        // (the wait ends early if that write finishes too) before killing the child inside it.
        const int finishedWrites = 1 + round % 4;
        bool childFailed = false;
        for (int done = 0; done < finishedWrites && !childFailed;) {
            char report = 0;
            const ssize_t got = ::read(pipeEnds[0], &report, 1);
            if (got < 0 && errno == EINTR)
                continue;
            childFailed = got != 1 || report != '.';
            ++done;
        }
        pollfd next { pipeEnds[0], POLLIN, 0 };
        ::poll(&next, 1, round % 6);
        ::kill(child, SIGKILL);
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) { }
        ::close(pipeEnds[0]);

        ASSERT_FALSE(childFailed) << "the child could not write the mask";
        ASSERT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0));
        const QByteArray left = folder.read(4);
        EXPECT_TRUE(left == "00000\r\n" || left == "11111\r\n") << left.toStdString();
    }
}

#endif

} // namespace
