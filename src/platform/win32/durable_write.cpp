#include "platform/durable_write.h"

#include "platform/win32/api/durable_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <io.h>

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
    int descriptor = -1;
    if (const std::error_code error
        = win32::openForReading(QDir::toNativeSeparators(path).toStdWString(), descriptor))
        return { FileOpening::Outcome::Refused, QString::fromLocal8Bit(error.message()) };
    if (!input.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::_close(descriptor);
        return { FileOpening::Outcome::Refused, input.errorString() };
    }
    return { FileOpening::Outcome::Opened, {} };
}
