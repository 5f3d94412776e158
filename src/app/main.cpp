#include "app/program_version.h"
#include "main_window.h"
#include "platform/clock.h"
#include "platform/first_frame.h"
#include "platform/high_contrast.h"
#include "platform/lazy_lock_key_state.h"
#include "platform/message_box.h"
#include "platform/platform_choice.h"
#include "platform/process.h"
#include "platform/services.h"
#include "platform/sysinfo/sys_info.h"
#include "platform/system_beep.h"
#include "platform/system_services.h"
#include "platform/url_opener.h"
#include "platform/window_timer.h"
#include "secondary_windows.h"
#include "settings/settings_store.h"
#include "window_factories.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    const std::optional<QByteArray> platform = preferredQtPlatform(qgetenv("QT_QPA_PLATFORM"),
        qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_SESSION_TYPE"), qgetenv("DISPLAY"));
    if (platform)
        qputenv("QT_QPA_PLATFORM", *platform);
    // The menu belongs inside the window, as designed; asking the session for a global menu
    // bar would only add a blocking call before the first frame.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication application(argc, argv);
    if (platform) // the choice is this program's, not one for the programs it starts
        qunsetenv("QT_QPA_PLATFORM");
    QApplication::setApplicationName(applicationTitle);
    QApplication::setApplicationVersion(QLatin1String(applicationVersion));
    QApplication::setDesktopFileName(QStringLiteral("com.example.glyphorbitaloscopex"));
    // Decoding the icon's pictures would delay the first frame, which does not show it.
    afterFirstFrame(&application, &application, [] {
        QIcon icon;
        for (const int size : { 16, 24, 32, 48, 64, 128 })
            icon.addFile(QStringLiteral(":/icons/app-%1.png").arg(size));
        QApplication::setWindowIcon(icon);
    });

    QtTimerFactory timers;
    QtMessageBox messages;
    QtSystemBeep beep;
    RealProcessControl process;
    const std::unique_ptr<HighContrast> highContrast = createHighContrast();
    Services services { timers, messages, beep, process, *highContrast };
    SystemUrlOpener urls;

    LazyLockKeyState lockKeys(createLockKeyState);
    SystemClock clock;

    SettingsStore settings(QCoreApplication::applicationDirPath());
    SecondaryWindows windows;
    SystemRegistry registry;
    SystemFileTest files;
    SystemProgramStarter programs;
    SysInfoServices sysInfo { registry, files, programs };
    MainWindow mainWindow(services, settings, windows, lockKeys, clock);
    installWindowFactories(windows, services, urls, sysInfo, mainWindow);
    mainWindow.load();
    return QApplication::exec();
}
