#include "window_factories.h"

#include "frm_main.h"
#include "secondary_windows.h"
#include "welcome/frm_wlcm.h"

void installWindowFactories(SecondaryWindows &windows, Services &services, FrmMain &mainWindow)
{
    windows.welcome.setFactory([&services, &mainWindow] {
        return new FrmWlcm(services, [&mainWindow] {
            mainWindow.show();
            mainWindow.raise();
            mainWindow.activateWindow();
        });
    });
}
