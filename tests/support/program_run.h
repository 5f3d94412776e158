#pragma once

#include "app/frm_main.h"
#include "app/secondary_windows.h"
#include "app_folder.h"
#include "fake_clock.h"
#include "fake_lock_keys.h"
#include "fake_services.h"
#include "fake_sys_info.h"
#include "fake_url_opener.h"
#include "settings/settings_store.h"

#include <source_location>

// One run of the whole program over a temporary application folder, with doubles for every OS
// service. Nothing is loaded until the test loads it.
struct ProgramRun
{
    explicit ProgramRun(const QStringList &values = { "0", "1", "0", "11111" });

    // The text of a text box or a label of the main window; a missing one fails the calling test
    // and reads as empty.
    QString text(const char *name,
        const std::source_location &caller = std::source_location::current()) const;
    QString caption(const char *name,
        const std::source_location &caller = std::source_location::current()) const;

    int belowMenu() const;
    // The bar is built when first shown, so a start that never shows it has none to find.
    bool barVisible() const;

    // A first run builds the main window once the welcome window has drawn its first frame;
    // false when that frame never comes.
    bool loadFirstRun();
    bool drawWelcome();

    bool loadAndActivate();

    AppFolder folder;
    FakeServices fakes;
    FakeLockKeys lockKeys;
    FakeClock clock { fakes.timers, QDateTime(QDate(2026, 3, 14), QTime(15, 9, 26, 500)) };
    FakeUrlOpener urls;
    FakeSysInfo sysInfo;
    SettingsStore settings { folder.path() };
    SecondaryWindows windows;
    FrmMain window { fakes.services, settings, windows, lockKeys, clock };
};
