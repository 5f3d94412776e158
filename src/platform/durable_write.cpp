#include "durable_write.h"

#ifdef _WIN32
#include "win32/durable_file.h"
#include <QDir>
#else
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

#ifdef _WIN32

QString writeFileDurably(const QString &path, const QByteArray &bytes)
{
    const std::error_code error = win32::writeFileDurably(
        QDir::toNativeSeparators(path).toStdWString(), { bytes.constData(), size_t(bytes.size()) });
    // The system describes its errors in the ANSI code page, which is the local 8-bit one here.
    return error ? QString::fromLocal8Bit(error.message()) : QString();
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

} // namespace

QString writeFileDurably(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (::fsync(file.handle()) != 0) {
        const QString error = QString::fromLocal8Bit(std::strerror(errno));
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    flushFolder(QFileInfo(path).absolutePath());
    return {};
}

#endif
