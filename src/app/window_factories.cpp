#include "window_factories.h"

#include "about/about_window.h"
#include "about/author_page.h"
#include "main_window.h"
#include "platform/sysinfo/sys_info.h"
#include "platform/window_placement.h"
#include "secondary_windows.h"
#include "statusbar/status_bar_dialog.h"
#include "welcome/welcome_window.h"

void installWindowFactories(SecondaryWindows &windows, Services &services, UrlOpener &urls,
    SysInfoServices &sysInfo, MainWindow &mainWindow)
{
    windows.welcome.setFactory([&services, &mainWindow] {
        return new WelcomeWindow(services, [&mainWindow] { mainWindow.showAfterWelcome(); });
    });
    windows.statusDialog.setFactory([&mainWindow] {
        auto *dialog = new StatusBarDialog(mainWindow.statusBarPanels());
        // It has no owner window to be centred on; over the main window is where the user looks.
        // Its frame will be much like the main window's.
        WindowPlacement::centreOver(dialog, &mainWindow, WindowPlacement::frameNow(&mainWindow));
        return dialog;
    });
    windows.about.setFactory([&windows, &services, &urls, &sysInfo] {
        return new AboutWindow(
            services, urls, [&sysInfo] { return StartSysInfo(sysInfo); },
            [&windows] { windows.author.show(); });
    });
    windows.author.setFactory(
        [&windows, &urls] { return new AuthorPage(urls, [&windows] { windows.about.unload(); }); });
}
