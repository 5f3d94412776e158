#include "linux_program_starter.h"

#include <QFile>
#include <QProcess>

bool LinuxProgramStarter::start(const std::string &path)
{
    // A program name without a folder would be searched for on PATH.
    if (path.empty() || path.front() != '/' || path.find('\0') != std::string::npos)
        return false;
    // Detached, the program outlives us and leaves no child to reap, and a failed exec is still
    // reported. The name goes back to bytes the way it came, through the file-name encoding.
    return QProcess::startDetached(QFile::decodeName(QByteArray::fromStdString(path)), {});
}
