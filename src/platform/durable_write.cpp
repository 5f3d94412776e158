#include "durable_write.h"

#include <QFileInfo>

#ifdef _WIN32
#include <QDir>
#include <system_error>
#include <windows.h>
#else
#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

#ifdef _WIN32

namespace {

QString lastError()
{
    return QString::fromStdString(std::system_category().message(int(GetLastError())));
}

std::wstring nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

} // namespace

QString writeFileDurably(const QString &path, const QByteArray &bytes)
{
    const std::wstring target = nativePath(path);
    const std::wstring temporary = target + L".saving";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lastError();
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.constData(), DWORD(bytes.size()), &written, nullptr)
        && written == DWORD(bytes.size()) && FlushFileBuffers(file);
    const QString error = ok ? QString() : lastError();
    CloseHandle(file);
    if (ok
        && MoveFileExW(
            temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    const QString failure = error.isEmpty() ? lastError() : error;
    DeleteFileW(temporary.c_str());
    return failure;
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
