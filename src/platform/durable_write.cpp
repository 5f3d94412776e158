#include "durable_write.h"

#include <QFile>
#include <QFileInfo>

#ifdef _WIN32
#include "win32/durable_file.h"
#include <QDir>
#else
#include <QSaveFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef _WIN32

std::optional<WriteFailure> writeFileDurably(const QString &path, const QByteArray &bytes)
{
    const std::error_code error = win32::writeFileDurably(
        QDir::toNativeSeparators(path).toStdWString(), { bytes.constData(), size_t(bytes.size()) });
    if (!error)
        return std::nullopt;
    return writeFailure(error.value());
}

WriteFailure writeFailure(int code)
{
    const std::error_code error(code, std::system_category());
    // The system describes its errors in the ANSI code page, which is the local 8-bit one here.
    return { QString::fromLocal8Bit(error.message()), win32::refusesWriting(error) };
}

QString userProgramsFolder()
{
    return QStringLiteral("%LOCALAPPDATA%\\Programs");
}

FileOpening openPlainFileForReading(const QString &path, QFile &input)
{
    const QFileInfo info(path);
    if (!info.exists())
        return { FileOpening::Outcome::Missing, {} };
    if (info.isDir())
        return { FileOpening::Outcome::Refused, QStringLiteral("it is a folder, not a file") };
    input.setFileName(path);
    if (!input.open(QIODevice::ReadOnly))
        return { FileOpening::Outcome::Refused, input.errorString() };
    return { FileOpening::Outcome::Opened, {} };
}

#else

namespace {

// The rename lives in the folder's entry table, which needs its own flush.
void flushFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// QSaveFile keeps the system's error to itself, and on a read-only file system it reports only
// that the existing file "is not writable". The folder the temporary file goes into, asked
// directly, gives the system's own reason when it is the folder that refuses.
WriteFailure openFailure(const QSaveFile &file)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(file.fileName()).absolutePath());
    if (::faccessat(AT_FDCWD, folder.constData(), W_OK, AT_EACCESS) != 0) {
        WriteFailure failure = writeFailure(errno);
        if (failure.folderRefused)
            return failure;
    }
    return { file.errorString() };
}

FileOpening refused(const QString &reason)
{
    return { FileOpening::Outcome::Refused, reason };
}

FileOpening notAFile(mode_t mode)
{
    const QString kind = S_ISDIR(mode)   ? QStringLiteral("a folder")
        : S_ISFIFO(mode)                 ? QStringLiteral("a named pipe")
        : S_ISSOCK(mode)                 ? QStringLiteral("a socket")
        : S_ISCHR(mode) || S_ISBLK(mode) ? QStringLiteral("a device")
                                         : QStringLiteral("something other than a plain file");
    return refused(QStringLiteral("it is %1, not a file").arg(kind));
}

} // namespace

std::optional<WriteFailure> writeFileDurably(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return openFailure(file);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return WriteFailure { error };
    }
    if (::fsync(file.handle()) != 0) {
        const WriteFailure failure = writeFailure(errno);
        file.cancelWriting();
        return failure;
    }
    if (!file.commit())
        return WriteFailure { file.errorString() };
    flushFolder(QFileInfo(path).absolutePath());
    return std::nullopt;
}

WriteFailure writeFailure(int code)
{
    // EPERM is what a security module or an immutable folder answers instead of EACCES.
    return { qt_error_string(code), code == EACCES || code == EPERM || code == EROFS };
}

QString userProgramsFolder()
{
    return {};
}

// A named pipe or a device in place of the file would hold the caller for ever in open() or
// read(), so nothing is opened in blocking mode and only a plain file is read. The check is made
// on the opened descriptor, so the file cannot be swapped between check and read.
FileOpening openPlainFileForReading(const QString &path, QFile &input)
{
    const QByteArray name = QFile::encodeName(path);
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        const int error = errno;
        struct stat found = {};
        if (error == ENOENT || error == ENOTDIR) {
            // A link whose target is gone is no missing file that laying the file again would mend.
            if (::lstat(name.constData(), &found) == 0 && S_ISLNK(found.st_mode))
                return refused(QStringLiteral("it is a link to a file that does not exist"));
            return { FileOpening::Outcome::Missing, {} };
        }
        if (error == ELOOP)
            return refused(QStringLiteral("it is a link that leads back to itself"));
        // A socket cannot be opened at all; say what it is rather than "No such device".
        if (::stat(name.constData(), &found) == 0 && !S_ISREG(found.st_mode))
            return notAFile(found.st_mode);
        return refused(qt_error_string(error));
    }
    struct stat opened = {};
    if (::fstat(descriptor, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(descriptor);
        return notAFile(opened.st_mode);
    }
    input.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    return { FileOpening::Outcome::Opened, {} };
}

#endif
