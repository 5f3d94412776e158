#include "frm_main.h"
#include "platform/message_box.h"
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
    QApplication application(argc, argv);
    QApplication::setApplicationName(applicationTitle);
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setDesktopFileName(QStringLiteral("com.example.glyphorbitaloscopex"));
    QIcon icon;
    for (const int size : { 16, 24, 32, 48, 64, 128 })
        icon.addFile(QStringLiteral(":/icons/app-%1.png").arg(size));
    QApplication::setWindowIcon(icon);

    QtTimerFactory timers;
    QtMessageBox messages;
    QtSystemBeep beep;
    RealProcessControl process;
    Services services { timers, messages, beep, process };

    SettingsStore settings(QCoreApplication::applicationDirPath());
    SecondaryWindows windows;
    FrmMain mainWindow(services, settings, windows);
    installWindowFactories(windows, services, mainWindow);
    mainWindow.Form_Load();
    return QApplication::exec();
}
