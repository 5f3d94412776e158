#include "frm_main.h"
#include "platform/clock.h"
#include "platform/lock_key_state.h"
#include "platform/message_box.h"
#include "platform/platform_choice.h"
#include "platform/process.h"
#include "platform/services.h"
#include "platform/system_beep.h"
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
    QApplication application(argc, argv);
    if (platform) // the choice is this program's, not one for the programs it starts
        qunsetenv("QT_QPA_PLATFORM");
    QApplication::setApplicationName(applicationTitle);
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QIcon icon;
    for (const int size : { 16, 24, 32, 48, 64, 128 })
        icon.addFile(QStringLiteral(":/icons/app-%1.png").arg(size));
    QApplication::setWindowIcon(icon);

    QtTimerFactory timers;
    QtMessageBox messages;
    QtSystemBeep beep;
    RealProcessControl process;
    Services services { timers, messages, beep, process };

    const std::unique_ptr<LockKeyState> lockKeys = createLockKeyState();
    SystemClock clock;

    SettingsStore settings(QCoreApplication::applicationDirPath());
    SecondaryWindows windows;
    FrmMain mainWindow(services, settings, windows, *lockKeys, clock);
    installWindowFactories(windows, services, mainWindow);
    mainWindow.Form_Load();
    return QApplication::exec();
}
