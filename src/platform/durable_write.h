#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// Replaces a file whole or not at all: the bytes go to a temporary file beside it, are flushed to
// the disk, and the temporary file is renamed over the old one. A crash or power loss at any
// moment leaves either the old content or the new, never an empty or half-written file.
// Returns an empty string on success, otherwise the system's description of what failed.
QString writeFileDurably(const QString &path, const QByteArray &bytes);

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
