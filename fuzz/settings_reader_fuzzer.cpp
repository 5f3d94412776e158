// Bytes from outside reach the program through its four settings files. Each input becomes the
// content of every file, which is then read back the way the start-up reads that file and
// checked the way the start-up checks it.

#include "fuzz_check.h"
#include "settings/settings_files.h"
#include "settings/settings_store.h"
#include "statusbar/panel_mask.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

// A message box shows the description: it must name the file and carry no raw control
// character from the file; the line break before a hint is the message's own.
void checkMessage(const SettingsError &error, SettingsFile file)
{
    FUZZ_CHECK(error.kind() == SettingsError::Kind::Other); // the file is there
    const QString description = error.description();
    FUZZ_CHECK(description.contains(QLatin1String(settingsFileNames[int(file) - 1])));
    FUZZ_CHECK(description.size() < 400);
    for (const QChar c : description)
        FUZZ_CHECK(c == u'\n' || c.category() != QChar::Other_Control);
}

template<typename Read> void readAsTheStartDoes(SettingsFile file, Read &&read)
{
    try {
        read();
    } catch (const SettingsError &error) {
        checkMessage(error, file);
    }
}

struct Folder
{
    Folder()
    {
        FUZZ_CHECK(dir.isValid() && QDir(dir.path()).mkdir(QLatin1String(settingsFolderName)));
    }
    QTemporaryDir dir;
    SettingsStore store { dir.path() };
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const Folder folder;
    const SettingsStore &store = folder.store;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (int number = 1; number <= 4; ++number) {
        QFile file(store.path(SettingsFile(number)));
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }

    readAsTheStartDoes(
        SettingsFile::FirstRun, [&] { (void)store.readInteger(SettingsFile::FirstRun); });
    readAsTheStartDoes(SettingsFile::Mode, [&] { (void)store.readInteger(SettingsFile::Mode); });
    readAsTheStartDoes(
        SettingsFile::StatusBar, [&] { (void)store.readNumberEqualsOne(SettingsFile::StatusBar); });
    readAsTheStartDoes(SettingsFile::PanelMask, [&] {
        const QString mask = store.readText(SettingsFile::PanelMask);
        // One field of the first line: it never runs past a comma or a line end.
        FUZZ_CHECK(!mask.contains(u',') && !mask.contains(u'\r') && !mask.contains(u'\n'));
        const PanelMask::Visibility visible = PanelMask::visibility(mask);
        if (!PanelMask::isUsable(mask)) {
            for (const bool shown : visible)
                FUZZ_CHECK(shown);
        }
    });
    return 0;
}
