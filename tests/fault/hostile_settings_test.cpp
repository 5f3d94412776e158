// The program started on settings that are not plain files, or that it may not read: every start
// must end with one clear message and leave what was there as it was, never hang.

#include "child_program.h"
#include "program_folder.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>
#include <map>
#ifndef Q_OS_WIN
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {

struct HostileSettings
{
    const char *name;
    std::function<void(const ProgramFolder &)> lay;
    const char *title;
    QStringList mentions;
    bool unprivileged = false;
};

QByteArray nativePath(const ProgramFolder &folder, int number)
{
    return QFile::encodeName(folder.filePath(number));
}

std::function<void(const ProgramFolder &)> replaceWith(
    int number, std::function<void(const QByteArray &path)> make)
{
    return [number, make](const ProgramFolder &folder) {
        folder.remove(number);
        make(nativePath(folder, number));
    };
}

#ifndef Q_OS_WIN
auto linkTo(int number, const char *target)
{
    return replaceWith(number,
        [target](const QByteArray &path) { ASSERT_EQ(::symlink(target, path.constData()), 0); });
}

void makeSocket(const QByteArray &path)
{
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    ASSERT_LT(size_t(path.size()), sizeof address.sun_path);
    std::copy(path.begin(), path.end(), address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ::close(fd);
}
#endif

const QString notFound = QStringLiteral("Application Files not found, Please reinstall product.");

const HostileSettings hostileSettings[] = {
    { "Folder",
        replaceWith(
            2, [](const QByteArray &p) { ASSERT_TRUE(QDir().mkdir(QFile::decodeName(p))); }),
        "Error", { "AppFile2.DLL", "folder" } },
#ifndef Q_OS_WIN
    // Pipes, sockets, devices, links and permissions are POSIX's; Windows makes none of them here.
    { "NamedPipe",
        replaceWith(1, [](const QByteArray &p) { ASSERT_EQ(::mkfifo(p.constData(), 0644), 0); }),
        "Error", { "AppFile1.DLL", "named pipe" } },
    { "Socket", replaceWith(3, makeSocket), "Error", { "AppFile3.DLL", "socket" } },
    // Unprivileged, so that a program that took a device for a file could never replace it.
    { "EndlessDevice", linkTo(4, "/dev/zero"), "Error", { "AppFile4.DLL", "device" }, true },
    { "EmptyDevice", linkTo(2, "/dev/null"), "Error", { "AppFile2.DLL", "device" }, true },
    { "DanglingLink", linkTo(2, "gone.DLL"), "Error", { "AppFile2.DLL", "does not exist" } },
    { "LinkLoop", linkTo(3, "AppFile3.DLL"), "Error", { "AppFile3.DLL", "back to itself" } },
    { "UnreadableFile",
        [](const ProgramFolder &folder) {
            ASSERT_EQ(::chmod(nativePath(folder, 4).constData(), 0), 0);
        },
        "Error", { "AppFile4.DLL", "Permission denied" }, true },
    { "UnreadableFolder",
        [](const ProgramFolder &folder) {
            ASSERT_EQ(::chmod(QFile::encodeName(folder.appFiles()).constData(), 0), 0);
        },
        "Error", { "AppFile1.DLL", "Permission denied" }, true },
#endif
    // Text from a file is quoted, never taken as a format or as markup.
    { "FormatDirectivesAndMarkup",
        [](const ProgramFolder &folder) { folder.writeRaw(2, "%1%2%n%s<b>x</b>\r\n"); }, "Error",
        { "AppFile2.DLL", "\"%1%2%n%s<b>x</b>\"" } },
    { "FolderIsAFile",
        [](const ProgramFolder &folder) {
            folder.removeFolder();
            QFile file(folder.appFiles());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        },
        "Reinstall", { notFound } },
#ifndef Q_OS_WIN
    { "FolderIsADanglingLink",
        [](const ProgramFolder &folder) {
            folder.removeFolder();
            ASSERT_EQ(::symlink("gone", QFile::encodeName(folder.appFiles()).constData()), 0);
        },
        "Reinstall", { notFound } },
#endif
};

// What the settings files that are still plain files hold, to show that nothing was lost.
std::map<int, QByteArray> plainFiles(const ProgramFolder &folder)
{
    std::map<int, QByteArray> contents;
    for (int number = 1; number <= 4; ++number) {
        const QFileInfo info(folder.filePath(number));
        if (info.isFile() && !info.isSymLink())
            contents[number] = folder.read(number);
    }
    return contents;
}

// Names the case in test listings, which would otherwise show the parameter's bytes.
void PrintTo(const HostileSettings &value, std::ostream *out)
{
    *out << value.name;
}

class HostileSettingsTest : public ::testing::TestWithParam<HostileSettings>
{
};

TEST_P(HostileSettingsTest, StartEndsWithOneMessageAndChangesNothing)
{
    const HostileSettings &hostile = GetParam();
    const ProgramFolder folder({ "0", "1", "1", "11011" });
    ASSERT_NO_FATAL_FAILURE(hostile.lay(folder));
    if (hostile.unprivileged)
        folder.handOver();
    const std::map<int, QByteArray> before = plainFiles(folder);

    ChildProgram program(folder.program(), { { "exit" }, hostile.unprivileged, {}, {} });
    ASSERT_TRUE(program.started()) << program.transcript().toStdString();
    const std::optional<int> status = program.waitForExit();
    ASSERT_TRUE(status) << "the start hangs\n" << program.transcript().toStdString();

    EXPECT_EQ(*status, 1) << program.transcript().toStdString();
    const std::vector<ChildProgram::Message> messages = program.messages();
    ASSERT_EQ(messages.size(), 1u) << program.transcript().toStdString();
    EXPECT_EQ(messages[0].title, QLatin1String(hostile.title));
    for (const QString &mention : hostile.mentions)
        EXPECT_TRUE(messages[0].text.contains(mention)) << messages[0].text.toStdString();
    EXPECT_FALSE(program.lines().contains(QStringLiteral("SHOWN")));
    EXPECT_EQ(plainFiles(folder), before);
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileSettingsTest, ::testing::ValuesIn(hostileSettings),
    [](const ::testing::TestParamInfo<HostileSettings> &info) { return info.param.name; });

} // namespace
