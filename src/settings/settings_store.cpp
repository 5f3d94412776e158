#include "settings_store.h"

#include "settings/settings_files.h"
#include "settings_field.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Enough for any value the program writes and for hand edits with generous padding; a huge or
// binary file is never read past this.
constexpr qint64 maxFirstLineBytes = 4096;

QString fileName(SettingsFile file)
{
    return QLatin1String(settingsFileNames[static_cast<int>(file) - 1]);
}

[[noreturn]] void fail(SettingsFile file, const QString &problem, const QString &hint = {})
{
    QString text = QStringLiteral("The settings file %1 %2.").arg(fileName(file), problem);
    if (!hint.isEmpty())
        text += QLatin1Char('\n') + hint;
    throw SettingsError(SettingsError::Kind::Other, text);
}

// A failed write leaves the file as it was; saying so tells the user what the next start will find.
const QString kept = QStringLiteral("\nThe file keeps its previous content.");

const QString zeroOrOneHint = QStringLiteral("Write 0 or 1 into it, or reinstall the product.");

[[noreturn]] void missing(SettingsFile file)
{
    throw SettingsError(SettingsError::Kind::NotFound,
        QStringLiteral("The settings file %1 or its folder %2 is missing.")
            .arg(fileName(file), QLatin1String(settingsFolderName)));
}

void openForReading(SettingsFile file, const QString &path, QFile &input)
{
    const FileOpening opening = openPlainFileForReading(path, input);
    if (opening.outcome == FileOpening::Outcome::Missing)
        missing(file);
    if (opening.outcome == FileOpening::Outcome::Refused)
        fail(file, QStringLiteral("cannot be read: %1").arg(opening.reason));
}

} // namespace

SettingsError::SettingsError(Kind kind, const QString &description)
    : std::runtime_error(description.toStdString())
    , m_kind(kind)
    , m_description(description)
{ }

SettingsStore::SettingsStore(const QString &applicationFolder)
    : m_folder(QDir(applicationFolder).filePath(QLatin1String(settingsFolderName)))
{ }

QString SettingsStore::path(SettingsFile file) const
{
    return QDir(m_folder).filePath(fileName(file));
}

QByteArray SettingsStore::readField(SettingsFile file) const
{
    QFile input;
    openForReading(file, path(file), input);
    const QByteArray head = input.read(maxFirstLineBytes);
    const std::optional<QByteArray> field = SettingsField::first(head);
    if (!field)
        fail(file, QStringLiteral("is empty (input past end of file)"),
            file == SettingsFile::PanelMask ? QString() : zeroOrOneHint);
    return *field;
}

std::int16_t SettingsStore::readInteger(SettingsFile file) const
{
    const QByteArray field = readField(file);
    switch (const SettingsField::Integer value = SettingsField::toInteger(field); value.status) {
    case SettingsField::Integer::Ok:
        return value.value;
    case SettingsField::Integer::OutOfRange:
        fail(file,
            QStringLiteral("holds %1, a number outside -32768 to 32767 (overflow)")
                .arg(SettingsField::quoted(field)),
            zeroOrOneHint);
    case SettingsField::Integer::NotANumber:
        break;
    }
    fail(file,
        QStringLiteral("should hold a whole number but holds %1").arg(SettingsField::quoted(field)),
        zeroOrOneHint);
}

bool SettingsStore::readNumberEqualsOne(SettingsFile file) const
{
    const QByteArray field = readField(file);
    const std::optional<double> value = SettingsField::toNumber(field);
    if (!value)
        fail(file,
            QStringLiteral("should hold a number but holds %1").arg(SettingsField::quoted(field)),
            zeroOrOneHint);
    return *value == 1.0;
}

QString SettingsStore::readText(SettingsFile file) const
{
    // Latin-1 keeps one character per byte, so a mask's length is its byte count.
    return QString::fromLatin1(readField(file));
}

void SettingsStore::write(SettingsFile file, const QString &value) const
{
    const QString target = path(file);
    const QFileInfo info(target);
    // The rename below would put a plain file in the place of a device or a pipe that a link
    // leads to, and a folder is no settings file to overwrite.
    if (info.exists() && !info.isFile())
        throw SettingsError(SettingsError::Kind::Other,
            QStringLiteral("The settings file %1 cannot be written: it is not a plain file.")
                    .arg(fileName(file))
                + kept);
    // A file without its write permission is write-protected, whoever runs the program; the
    // rename below would otherwise replace it silently.
    if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner))
        throw SettingsError(SettingsError::Kind::Other,
            QStringLiteral("Permission denied: the settings file %1 is write-protected.")
                    .arg(fileName(file))
                + kept);
    if (const std::optional<WriteFailure> failure
        = writeFileDurably(target, value.toLatin1() + "\r\n"))
        throw SettingsError(SettingsError::Kind::Other, writeFailureText(file, *failure));
}

QString SettingsStore::writeFailureText(SettingsFile file, const WriteFailure &failure) const
{
    QString text = QStringLiteral("The settings file %1 cannot be written: %2.")
                       .arg(fileName(file), failure.reason)
        + kept;
    if (!failure.folderRefused)
        return text;
    // The exit stops at the first file that fails, so this is said once, not once per file.
    text += QStringLiteral("\nThe program cannot keep its settings in the folder %1. Move the "
                           "program's folder to a folder you own")
                .arg(QDir::toNativeSeparators(m_folder));
    if (const QString programs = userProgramsFolder(); !programs.isEmpty())
        text += QStringLiteral(", such as your own folder under %1, where the setup installs it")
                    .arg(programs);
    return text + QLatin1Char('.');
}
