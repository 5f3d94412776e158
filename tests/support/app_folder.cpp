#include "app_folder.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

AppFolder::AppFolder(const QStringList &values)
{
    if (!m_dir.isValid() || !QDir(m_dir.path()).mkdir(QStringLiteral("AppFiles")))
        throw std::runtime_error("cannot create a temporary application folder");
    for (int number = 1; number <= values.size(); ++number)
        writeRaw(number, values.at(number - 1).toLatin1() + "\r\n");
}

QString AppFolder::filePath(int number) const
{
    return m_dir.filePath(QStringLiteral("AppFiles/AppFile%1.DLL").arg(number));
}

void AppFolder::writeRaw(int number, const QByteArray &bytes) const
{
    QFile file(filePath(number));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a settings file");
}

QByteArray AppFolder::read(int number) const
{
    QFile file(filePath(number));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void AppFolder::remove(int number) const
{
    QFile::remove(filePath(number));
}

void AppFolder::removeFolder() const
{
    QDir(m_dir.filePath(QStringLiteral("AppFiles"))).removeRecursively();
}

void AppFolder::setWriteProtected(int number, bool writeProtected) const
{
    const QFile::Permissions readOnly
        = QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
    QFile::setPermissions(filePath(number),
        writeProtected ? readOnly : readOnly | QFile::WriteOwner | QFile::WriteUser);
}
