#include "program_folder.h"

#include "child_program.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

ProgramFolder::ProgramFolder(const QStringList &values)
    : AppFolder(values)
{
#ifdef Q_OS_WIN
    if (!QFile::copy(QStringLiteral(ROBOT_PROGRAM), program()))
#else
    // A hard link costs nothing and, unlike a symbolic one, makes the program see this folder
    // as its own; a copy serves where the build lies on another file system.
    const QByteArray built = QFile::encodeName(QStringLiteral(ROBOT_PROGRAM));
    const QByteArray placed = QFile::encodeName(program());
    if (::link(built.constData(), placed.constData()) != 0
        && !QFile::copy(QStringLiteral(ROBOT_PROGRAM), program()))
#endif
        throw std::runtime_error("cannot place the program in a temporary folder");
}

ProgramFolder::~ProgramFolder()
{
#ifndef Q_OS_WIN
    // A test may have taken the folder's permissions away; without them, a user who is not
    // root could not remove the temporary folder. A link is left alone: chmod would follow it.
    const QByteArray folder = QFile::encodeName(appFiles());
    struct stat found = {};
    if (::lstat(folder.constData(), &found) == 0 && S_ISDIR(found.st_mode))
        ::chmod(folder.constData(), 0755);
#endif
}

QString ProgramFolder::program() const
{
    return QDir(path()).filePath(QStringLiteral("glyphorbitaloscopex" EXECUTABLE_SUFFIX));
}

QString ProgramFolder::appFiles() const
{
    return QDir(path()).filePath(QStringLiteral("AppFiles"));
}

QStringList ProgramFolder::appFilesEntries() const
{
    return QDir(appFiles())
        .entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

void ProgramFolder::handOver() const
{
#ifndef Q_OS_WIN
    if (::geteuid() != 0)
        return;
    QStringList owned { path(), appFiles() };
    for (const QString &entry : appFilesEntries())
        owned.append(QDir(appFiles()).filePath(entry));
    for (const QString &entry : owned)
        (void)!::lchown(QFile::encodeName(entry).constData(), unprivilegedUser, unprivilegedUser);
#endif
}
