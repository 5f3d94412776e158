#include "program_run.h"

#include "app/window_factories.h"
#include "controls/text_box.h"
#include "find_control.h"
#include "statusbar/status_bar.h"

#include <QLabel>
#include <QMenuBar>

ProgramRun::ProgramRun(const QStringList &values)
    : folder(values)
{
    installWindowFactories(windows, fakes.services, urls, sysInfo.services, window);
}

QString ProgramRun::text(const char *name, const std::source_location &caller) const
{
    const TextBox *box = findControl<TextBox>(&window, QLatin1String(name), caller);
    return box ? box->text() : QString();
}

QString ProgramRun::caption(const char *name, const std::source_location &caller) const
{
    const QLabel *label = findControl<QLabel>(&window, QLatin1String(name), caller);
    return label ? label->text() : QString();
}

int ProgramRun::belowMenu() const
{
    return window.height() - window.menuBar()->height();
}

bool ProgramRun::barVisible() const
{
    const auto *bar = window.findChild<StatusBar *>(QStringLiteral("StatusBar1"));
    return bar && bar->isVisible();
}

bool ProgramRun::loadFirstRun()
{
    window.load();
    return drawWelcome();
}

bool ProgramRun::drawWelcome()
{
    Form *welcome = windows.welcome.window();
    if (welcome && !QTest::qWaitForWindowExposed(welcome))
        return false;
    QCoreApplication::processEvents();
    return true;
}

bool ProgramRun::loadAndActivate()
{
    window.load();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}
