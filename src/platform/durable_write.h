#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file whole or not at all: the bytes go to a temporary file beside it, are flushed to
// the disk, and the temporary file is renamed over the old one. A crash or power loss at any
// moment leaves either the old content or the new, never an empty or half-written file.
// Returns an empty string on success, otherwise the system's description of what failed.
QString writeFileDurably(const QString &path, const QByteArray &bytes);
