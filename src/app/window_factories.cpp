#include "window_factories.h"

#include "about/frm_about.h"
#include "about/frm_vorlix.h"
#include "frm_main.h"
#include "secondary_windows.h"
#include "welcome/frm_wlcm.h"

void installWindowFactories(
    SecondaryWindows &windows, Services &services, UrlOpener &urls, FrmMain &mainWindow)
{
    windows.welcome.setFactory([&services, &mainWindow] {
        return new FrmWlcm(services, [&mainWindow] { mainWindow.show(); });
    });
    windows.about.setFactory([&windows, &services, &urls] {
        // No System Information launcher is bound yet, so the tool counts as unavailable.
        return new frmAbout(
            services, urls, [] { return false; }, [&windows] { return windows.author.show(); });
    });
    windows.author.setFactory(
        [&windows, &urls] { return new FrmVorlix(urls, [&windows] { windows.about.unload(); }); });
}
