#include "platform/durable_write.h"
#include "logic/save_points.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Copies of the program save a file one at a time, each holding a lock on its folder that the
// system drops with a copy that is killed: so the new content can go to one fixed name beside the
// file, and what a killed copy left there is replaced by the next save.
class FolderTurn
{
public:
    explicit FolderTurn(const QString &folder)
        : m_folder(
            ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        if (m_folder < 0) {
            m_error = errno;
            return;
        }
        // Another copy saving holds the turn for a flush to the disk; a copy stuck for longer
        // is not waited for. A file system without locks leaves the copies to their luck.
        for (int waited = 0; ::flock(m_folder, LOCK_EX | LOCK_NB) != 0; waited += pauseMs) {
            if (errno != EWOULDBLOCK || waited >= 4000) {
                m_error = errno == EWOULDBLOCK ? EWOULDBLOCK : 0;
                return;
            }
            ::usleep(pauseMs * 1000);
        }
    }
    ~FolderTurn()
    {
        if (m_folder >= 0)
            ::close(m_folder);
    }
    FolderTurn(const FolderTurn &) = delete;
    FolderTurn &operator=(const FolderTurn &) = delete;

    // Why this copy may not write now, or 0.
    int error() const { return m_error; }
    // The rename lives in the folder's entry table, which needs its own flush.
    void flush() const { ::fsync(m_folder); }

private:
    static constexpr int pauseMs = 25;
    int m_folder;
    int m_error = 0;
};

bool writeAll(int file, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written
            = ::write(file, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        // A write that takes nothing would otherwise be tried for ever.
        if (written <= 0) {
            errno = written == 0 ? EIO : errno;
            return false;
        }
        done += written;
    }
    return true;
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
    const QByteArray target = QFile::encodeName(path);
    struct stat existing = {};
    const bool exists = ::stat(target.constData(), &existing) == 0;
    // The move below would replace a file the user has made read-only, whoever runs the program;
    // the folder takes new files all the same, so it is not the folder that refuses.
    if (exists
        && (!(existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH))
            || ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0))
        return WriteFailure { qt_error_string(EACCES) };
    const FolderTurn turn(QFileInfo(path).absolutePath());
    if (turn.error())
        return writeFailure(turn.error());
    const QByteArray temporary = target + ".saving";
    // For the owner alone until it has the old file's permissions.
    const int file = ::open(temporary.constData(),
        O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, exists ? S_IRUSR | S_IWUSR : 0666);
    if (file < 0)
        return writeFailure(errno);
    bool saved = (!exists || ::fchmod(file, existing.st_mode & 07777) == 0) && writeAll(file, bytes)
        && ::fsync(file) == 0;
    int error = errno;
    if (::close(file) != 0 && saved) {
        saved = false;
        error = errno;
    }
    if (saved)
        reachSavePoint(SavePoint::Written, target.constData());
    if (saved && ::rename(temporary.constData(), target.constData()) == 0) {
        turn.flush();
        reachSavePoint(SavePoint::Replaced, target.constData());
        return std::nullopt;
    }
    if (saved)
        error = errno;
    ::unlink(temporary.constData());
    return writeFailure(error);
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
