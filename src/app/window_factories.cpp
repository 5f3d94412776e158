#include "window_factories.h"

#include "about/about_window.h"
#include "about/author_page.h"
#include "main_window.h"
#include "platform/services.h"
#include "platform/sysinfo/sys_info.h"
#include "platform/window_placement.h"
#include "secondary_windows.h"
#include "statusbar/status_bar_dialog.h"
#include "welcome/welcome_window.h"

void installWindowFactories(SecondaryWindows &windows, Services &services, UrlOpener &urls,
    SysInfoServices &sysInfo, MainWindow &mainWindow)
{
    // The first run's main window opens after it, on the screen it covers.
    windows.welcome.setFactory([&services, &mainWindow] {
        return new WelcomeWindow(
            services, mainWindow.screen(), [&mainWindow] { mainWindow.showAfterWelcome(); });
    });
    windows.statusDialog.setFactory([&services, &mainWindow] {
        auto *dialog = new StatusBarDialog(mainWindow.statusBarPanels(), services.highContrast);
        // It has no owner window to be centred on; over the main window is where the user looks.
        // Its frame will be much like the main window's.
        WindowPlacement::centreOver(dialog, &mainWindow, WindowPlacement::frameNow(&mainWindow));
        return dialog;
    });
    // Both pages open where the user looks: on the main window's screen, which may be another
    // than the primary one, and of another scale.
    windows.about.setFactory([&windows, &services, &urls, &sysInfo, &mainWindow] {
        auto *about = new AboutWindow(
            services, urls, [&sysInfo] { return StartSysInfo(sysInfo); },
            [&windows] { windows.author.show(); });
        WindowPlacement::centreOnScreenOf(about, &mainWindow, {});
        return about;
    });
    windows.author.setFactory([&windows, &services, &urls, &mainWindow] {
        auto *author
            = new AuthorPage(urls, services.highContrast, [&windows] { windows.about.unload(); });
        WindowPlacement::centreOnScreenOf(author, &mainWindow, {});
        return author;
    });
}
