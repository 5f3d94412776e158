// The program's exit writes the four settings files; here it is killed, starved of disk space,
// refused permission and raced by a second copy while it does. Whatever happens, each file holds
// a whole value afterwards, and a write that fails says so and leaves the program running.

#include "child_program.h"
#include "program_folder.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <chrono>
#include <functional>
#include <random>
#ifdef Q_OS_WIN
#include <condition_variable>
#include <mutex>
#include <thread>
#include <windows.h>
#else
#include <sys/mount.h>
#include <sys/stat.h>
#endif

namespace {

// Values as the program reads them but never writes them (with a leading blank), so each file
// shows whether the exit has replaced it.
const QStringList before { " 0", " 1", " 1", " 11111" };
const QByteArray after[] = { "0\r\n", "1\r\n", "1\r\n", "11111\r\n" };
const QStringList allFourFiles { QStringLiteral("AppFile1.DLL"), QStringLiteral("AppFile2.DLL"),
    QStringLiteral("AppFile3.DLL"), QStringLiteral("AppFile4.DLL") };

void layBefore(const AppFolder &folder)
{
    for (int number = 1; number <= 4; ++number)
        folder.writeRaw(number, before[number - 1].toLatin1() + "\r\n");
}

// How many files the exit has replaced, in its order of writing: files 1 to n hold their new
// value and the others their old one. Nothing if any file holds anything else or the order is
// broken, which would mean a torn or lost write.
std::optional<int> exitProgress(const AppFolder &folder)
{
    int written = 0;
    while (written < 4 && folder.read(written + 1) == after[written])
        ++written;
    for (int number = written + 1; number <= 4; ++number) {
        if (folder.read(number) != before[number - 1].toLatin1() + "\r\n")
            return std::nullopt;
    }
    return written;
}

std::string describe(const AppFolder &folder)
{
    std::string files;
    for (int number = 1; number <= 4; ++number)
        files += "\n  AppFile" + std::to_string(number) + ": \"" + folder.read(number).toStdString()
            + "\"";
    return files;
}

// Exit, then the close box: both must report the failed write with "Error" and lose nothing;
// the first leaves the program running, the second ends it with the main window.
void expectBothExitsRefused(ChildProgram &program, const QStringList &mentions)
{
    const std::optional<int> status = program.waitForExit();
    ASSERT_TRUE(status) << "the exit hangs\n" << program.transcript().toStdString();
    EXPECT_EQ(*status, 0) << program.transcript().toStdString();
    const QStringList expectedOrder { QStringLiteral("SHOWN"), QStringLiteral("MESSAGE"),
        QStringLiteral("RUNNING"), QStringLiteral("MESSAGE") };
    QStringList order;
    for (const QString &line : program.lines()) {
        if (line != QLatin1String("READY"))
            order.append(line.section(u'\t', 0, 0));
    }
    EXPECT_EQ(order, expectedOrder) << program.transcript().toStdString();
    for (const ChildProgram::Message &message : program.messages()) {
        EXPECT_EQ(message.title, QStringLiteral("Error"));
        for (const QString &mention : mentions)
            EXPECT_TRUE(message.text.contains(mention)) << message.text.toStdString();
    }
}

// The exit saves without a word and ends the program.
void expectSavedExit(ChildProgram &program)
{
    const std::optional<int> status = program.waitForExit();
    ASSERT_TRUE(status) << program.transcript().toStdString();
    EXPECT_EQ(*status, 0) << program.transcript().toStdString();
    EXPECT_TRUE(program.messages().empty()) << program.transcript().toStdString();
}

struct UnwritableExit
{
    const char *name;
    std::function<void(const ProgramFolder &)> lay;
    std::optional<qint64> fileSizeLimit;
    int written; // files the exit replaces before the fault stops it; 4: it does not stop
    QStringList mentions;
    int held = 0; // the file another program holds open without sharing, and for how long
    std::chrono::milliseconds heldFor {};
};

#ifdef Q_OS_WIN
// Another program (a virus scanner, a sync tool) holding a settings file open, which keeps
// Windows from replacing it, until the time is up or the hold ends.
class FileHold
{
public:
    FileHold(const ProgramFolder &folder, int number, std::chrono::milliseconds heldFor)
        : m_file(
            CreateFileW(QDir::toNativeSeparators(folder.filePath(number)).toStdWString().c_str(),
                GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
        , m_release([file = m_file, heldFor](std::stop_token stop) {
            std::mutex mutex;
            std::unique_lock lock(mutex);
            std::condition_variable_any().wait_for(lock, stop, heldFor, [] { return false; });
            CloseHandle(file);
        })
    {
        EXPECT_TRUE(number == 0 || m_file != INVALID_HANDLE_VALUE) << "cannot hold the file";
    }

private:
    HANDLE m_file;
    std::jthread m_release;
};
#endif

const QString kept = QStringLiteral("keeps its previous content");

const UnwritableExit unwritableExits[] = {
    { "ReadOnlyFile", [](const ProgramFolder &folder) { folder.setWriteProtected(3, true); }, {}, 2,
        { "AppFile3.DLL", "write-protected", kept } },
#ifdef Q_OS_WIN
    // Only Windows refuses to replace an open file. The save tries again for a few seconds.
    { "HeldOpenWithinTheRetry", [](const ProgramFolder &) {}, {}, 4, {}, 2,
        std::chrono::milliseconds(300) },
    { "HeldOpenPastTheRetry", [](const ProgramFolder &) {}, {}, 2,
        { "AppFile3.DLL",
            QString::fromLocal8Bit(std::system_category().message(ERROR_SHARING_VIOLATION)), kept },
        3, std::chrono::hours(1) },
#else
    // Windows ignores a folder's read-only attribute and sets no limit on a file's size.
    { "ReadOnlyFolder",
        [](const ProgramFolder &folder) {
            ASSERT_EQ(::chmod(QFile::encodeName(folder.appFiles()).constData(), 0555), 0);
        },
        {}, 0, { "AppFile1.DLL", "Permission denied", kept } },
    { "DiskFullAtOnce", [](const ProgramFolder &) {}, 0, 0, { "AppFile1.DLL", kept } },
    // Room for "0" and CR LF but not for the five-character mask.
    { "DiskFullBeforeTheLastFile", [](const ProgramFolder &) {}, 4, 3, { "AppFile4.DLL", kept } },
#endif
};

// Names the case in test listings, which would otherwise show the parameter's bytes.
void PrintTo(const UnwritableExit &value, std::ostream *out)
{
    *out << value.name;
}

class UnwritableExitTest : public ::testing::TestWithParam<UnwritableExit>
{
};

TEST_P(UnwritableExitTest, ExitReportsTheErrorKeepsRunningAndTheCloseBoxLosesNothing)
{
    const UnwritableExit &fault = GetParam();
    const ProgramFolder folder(before);
    folder.handOver();
    ChildProgram program(
        folder.program(), { { "ready", "exit", "close" }, true, fault.fileSizeLimit, {} });
    // Laid once the settings are read, which a file held open would refuse.
    ASSERT_TRUE(program.waitForLine(QStringLiteral("READY"))) << program.transcript().toStdString();
    ASSERT_NO_FATAL_FAILURE(fault.lay(folder));
    {
#ifdef Q_OS_WIN
        // Let go before the files are read below.
        const FileHold hold(folder, fault.held, fault.heldFor);
#endif
        program.sendGo();
        if (fault.written == 4)
            expectSavedExit(program);
        else
            expectBothExitsRefused(program, fault.mentions);
    }
    EXPECT_EQ(exitProgress(folder), fault.written) << describe(folder);
    EXPECT_EQ(folder.appFilesEntries(), allFourFiles);
}

INSTANTIATE_TEST_SUITE_P(Faults, UnwritableExitTest, ::testing::ValuesIn(unwritableExits),
    [](const ::testing::TestParamInfo<UnwritableExit> &info) { return info.param.name; });

#ifdef Q_OS_WIN
// Held past the moment the program, started beside it, reads its settings.
TEST(HeldFileStartTest, StartWaitsForASettingsFileHeldOpenForAMoment)
{
    const ProgramFolder folder(before);
    const FileHold hold(folder, 2, std::chrono::seconds(1));
    ChildProgram program(folder.program(), { { "exit" }, false, {}, {} });
    expectSavedExit(program);
    EXPECT_EQ(exitProgress(folder), 4) << describe(folder);
}
#endif

#ifndef Q_OS_WIN
// A named pipe in the folder and a small disk to fill need POSIX calls and root.
TEST(SwappedFileExitTest, FileThatBecameAPipeWhileRunningIsNotReplaced)
{
    const ProgramFolder folder(before);
    ChildProgram program(folder.program(), { { "ready", "exit", "close" }, false, {}, {} });
    ASSERT_TRUE(program.waitForLine(QStringLiteral("READY"))) << program.transcript().toStdString();
    folder.remove(4);
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.filePath(4)).constData(), 0644), 0);
    program.sendGo();
    expectBothExitsRefused(program, { QStringLiteral("AppFile4.DLL"), kept });
    for (int number = 1; number <= 3; ++number)
        EXPECT_EQ(folder.read(number), after[number - 1]);
    struct stat left = {};
    ASSERT_EQ(::stat(QFile::encodeName(folder.filePath(4)).constData(), &left), 0);
    EXPECT_TRUE(S_ISFIFO(left.st_mode));
}

// A memory file system of a few pages, mounted for one test and detached however it ends.
class SmallDisk
{
public:
    explicit SmallDisk(const QString &mountPoint)
        : m_mountPoint(QFile::encodeName(mountPoint))
    {
        m_mounted = QDir().mkpath(mountPoint)
            && ::mount("glyph-test", m_mountPoint.constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                   "size=64k,mode=0755")
                == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(m_mountPoint.constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool mounted() const { return m_mounted; }

    // Takes every free byte, so the next write finds the disk full.
    void fill() const
    {
        QFile filler(QFile::decodeName(m_mountPoint) + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size()) { }
        const QByteArray byte(1, 'x');
        while (filler.write(byte) == 1) { }
    }

private:
    QByteArray m_mountPoint;
    bool m_mounted = false;
};

TEST(FullDiskExitTest, ExitOnAFullDiskKeepsEveryOldFileWhole)
{
    const ProgramFolder folder(before);
    const SmallDisk disk(QDir(folder.path()).filePath(QStringLiteral("disk")));
    if (!disk.mounted())
        GTEST_SKIP() << "mounting a small memory file system needs root";
    // AppFiles moves onto the small disk and is reached through a link, as the program sits
    // beside it on the large one.
    const QString moved = QDir(folder.path()).filePath(QStringLiteral("disk/AppFiles"));
    ASSERT_TRUE(QDir().rename(folder.appFiles(), moved) || QDir().mkpath(moved));
    folder.removeFolder();
    ASSERT_TRUE(QFile::link(moved, folder.appFiles()));
    layBefore(folder);
    disk.fill();

    ChildProgram program(folder.program(), { { "exit", "close" }, false, {}, {} });
    ASSERT_TRUE(program.started()) << program.transcript().toStdString();
    expectBothExitsRefused(
        program, { QStringLiteral("AppFile1.DLL"), QStringLiteral("No space left"), kept });
    EXPECT_EQ(exitProgress(folder), 0) << describe(folder);
    EXPECT_EQ(folder.appFilesEntries(), allFourFiles);
}
#endif

void waitMicroseconds(std::chrono::microseconds delay)
{
    // A busy wait: sleeping would round short delays up to the scheduler's tick.
    const auto until = std::chrono::steady_clock::now() + delay;
    while (std::chrono::steady_clock::now() < until) { }
}

// Starts an exit and ends it, by itself at the named point of its save or else by a kill from
// outside after the delay; tells how long it ran, or nothing if it did not end.
std::optional<std::chrono::microseconds> killExit(
    const ProgramFolder &folder, const QString &point, std::chrono::microseconds delay = {})
{
    layBefore(folder);
    ChildProgram program(folder.program(), { { "ready", "exit" }, false, {}, point });
    if (!program.waitForLine(QStringLiteral("READY"))) {
        ADD_FAILURE() << "the program did not come up\n" << program.transcript().toStdString();
        return std::nullopt;
    }
    const auto started = std::chrono::steady_clock::now();
    program.sendGo();
    if (point.isEmpty()) {
        waitMicroseconds(delay);
        program.kill();
    }
    const std::optional<int> status = program.waitForExit();
    if (!status) {
        ADD_FAILURE() << "the program did not end\n" << program.transcript().toStdString();
        return std::nullopt;
    }
    EXPECT_TRUE(point.isEmpty()
        || (*status != 0 && program.lines().contains(QStringLiteral("KILLED\t") + point)))
        << "the exit did not end at " << point.toStdString() << "\n"
        << program.transcript().toStdString();
    return std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - started);
}

TEST(KilledExitTest, EveryFileHoldsItsOldOrItsNewValueWhereverTheKillLands)
{
    const ProgramFolder folder(before);
    // The program ends itself at each point of each file's save, so every one is reached
    // whatever the machine's load. Files before the one being saved hold their new value, the
    // others their old one, and the one thing left beside them is the new content of the file
    // being saved, under the fixed name that this file's save in the next round replaces.
    std::chrono::microseconds longest {};
    for (int number = 1; number <= 4; ++number) {
        for (const bool replaced : { false, true }) {
            const QString file = QStringLiteral("AppFile%1.DLL").arg(number);
            const QString point
                = (replaced ? QStringLiteral("replaced:") : QStringLiteral("written:")) + file;
            SCOPED_TRACE(point.toStdString());
            const auto ran = killExit(folder, point);
            ASSERT_TRUE(ran);
            longest = std::max(longest, *ran);
            EXPECT_EQ(exitProgress(folder), replaced ? number : number - 1) << describe(folder);
            QStringList left = allFourFiles;
            if (!replaced)
                left.insert(number, file + QStringLiteral(".saving"));
            EXPECT_EQ(folder.appFilesEntries(), left);
        }
    }
    // Kills from outside at moments no point names, over as long as the exits above took: wherever
    // they land, every file is whole.
    std::mt19937 random(20240917);
    for (int kill = 0; kill < 12; ++kill) {
        const std::chrono::microseconds delay(
            std::uniform_int_distribution<long long>(0, longest.count())(random));
        SCOPED_TRACE(delay.count());
        ASSERT_TRUE(killExit(folder, {}, delay));
        EXPECT_TRUE(exitProgress(folder)) << describe(folder);
    }
    ChildProgram last(folder.program(), { { "exit" }, false, {}, {} });
    ASSERT_NO_FATAL_FAILURE(expectSavedExit(last));
    EXPECT_EQ(folder.appFilesEntries(), allFourFiles);
}

TEST(TwoCopiesExitTest, EachFileHoldsOneWholeValueFromOneOfThem)
{
    const ProgramFolder folder(before);
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        layBefore(folder);
        // The second copy switches mode and hides the bar, so the two write different values.
        ChildProgram first(folder.program(), { { "ready", "exit" }, false, {}, {} });
        ChildProgram second(folder.program(),
            { { "MenuModeA2C", "MenuViewStBar", "ready", "exit" }, false, {}, {} });
        ASSERT_TRUE(first.waitForLine(QStringLiteral("READY"))) << first.transcript().toStdString();
        ASSERT_TRUE(second.waitForLine(QStringLiteral("READY")))
            << second.transcript().toStdString();
        first.sendGo();
        second.sendGo();
        for (ChildProgram *program : { &first, &second })
            ASSERT_NO_FATAL_FAILURE(expectSavedExit(*program));
        EXPECT_EQ(folder.read(1), after[0]);
        EXPECT_TRUE(folder.read(2) == "1\r\n" || folder.read(2) == "0\r\n") << describe(folder);
        EXPECT_TRUE(folder.read(3) == "1\r\n" || folder.read(3) == "0\r\n") << describe(folder);
        EXPECT_EQ(folder.read(4), after[3]);
        EXPECT_EQ(folder.appFilesEntries(), allFourFiles);
    }
}

} // namespace
