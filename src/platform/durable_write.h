#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QFile;

struct WriteFailure
{
    // The system's description of what failed, to follow "cannot be written: " in a message.
    QString reason;
    // The folder takes no file from this program (no permission, a write-protected medium, a
    // read-only share): no retry mends that, only moving the program to a folder the user owns.
    bool folderRefused = false;
};

// Replaces a file whole or not at all: the bytes go to a temporary file beside it, are flushed to
// the disk, and the temporary file is renamed over the old one. A crash or power loss at any
// moment leaves either the old content or the new, never an empty or half-written file.
// Returns nothing on success, otherwise what failed.
std::optional<WriteFailure> writeFileDurably(const QString &path, const QByteArray &bytes);

// What a write that failed with the system's error `code` (errno here, GetLastError() on
// Windows) tells the user.
WriteFailure writeFailure(int code);

// Where the setup puts the program for one user, written as the user would type it into a
// folder window; empty where the program comes without a setup.
QString userProgramsFolder();

struct FileOpening
{
    enum class Outcome { Opened, Missing, Refused };

    Outcome outcome;
    // Why a refused file cannot be read, to follow "cannot be read: " in a message.
    QString reason;
};

// Opens `input` on the file at `path` for reading, where that is a plain file. Whatever else
// stands in its place (a folder, a pipe, a device, a broken link) is refused, never waited on.
FileOpening openPlainFileForReading(const QString &path, QFile &input);
