#pragma once

#include "platform/durable_write.h"

#include <QString>
#include <cstdint>
#include <stdexcept>

// The four one-line files in AppFiles beside the executable.
enum class SettingsFile { FirstRun = 1, Mode = 2, StatusBar = 3, PanelMask = 4 };

class SettingsError : public std::runtime_error
{
public:
    // NotFound: the file or its AppFiles folder is missing, which only a reinstall mends.
    enum class Kind { NotFound, Other };

    SettingsError(Kind kind, const QString &description);

    Kind kind() const { return m_kind; }
    QString description() const { return m_description; }

private:
    Kind m_kind;
    QString m_description;
};

// Reads each file's first field and writes a value followed by CR LF. Reads and writes throw
// SettingsError; a write replaces the file whole or leaves it untouched.
class SettingsStore
{
public:
    explicit SettingsStore(const QString &applicationFolder);

    QString path(SettingsFile file) const;

    // The first-run flag and the mode: a whole number from -32768 to 32767.
    std::int16_t readInteger(SettingsFile file) const;
    // The status-bar flag: a number, compared with 1 by value.
    bool readNumberEqualsOne(SettingsFile file) const;
    // The panel mask: the field as text, character for character.
    QString readText(SettingsFile file) const;

    void write(SettingsFile file, const QString &value) const;
    // What write() reports when the system refused to write `file` so.
    QString writeFailureText(SettingsFile file, const WriteFailure &failure) const;

private:
    QByteArray readField(SettingsFile file) const;

    QString m_folder;
};
