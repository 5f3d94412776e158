#include "durable_write.h"

#include <QFileInfo>
#include <QSaveFile>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <QFile>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

bool flushToDisk(QSaveFile &file)
{
    if (!file.flush())
        return false;
#ifdef _WIN32
    return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()))) != 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

// The rename itself lives in the folder's entry table, which needs its own flush on POSIX
// systems; Windows commits a rename with the file.
void flushFolder(const QString &folder)
{
#ifndef _WIN32
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

} // namespace

QString writeFileDurably(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size() || !flushToDisk(file)) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    flushFolder(QFileInfo(path).absolutePath());
    return {};
}
