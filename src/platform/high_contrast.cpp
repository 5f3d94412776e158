#include "high_contrast.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPalette>

// Qt tells the application object of a new palette; a filter on it sees the events of every
// object, of which it looks at the type alone.
PaletteHighContrast::PaletteHighContrast()
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool PaletteHighContrast::isOn() const
{
    if (!m_answer)
        m_answer = answer();
    return *m_answer;
}

// A window colour darker than middle grey goes with light text.
bool PaletteHighContrast::answer() const
{
    return systemSetting() || QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
}

void PaletteHighContrast::askAgain()
{
    const bool was = isOn();
    m_answer = answer();
    if (*m_answer != was)
        Q_EMIT changed();
}

bool PaletteHighContrast::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ApplicationPaletteChange
        && watched == QCoreApplication::instance())
        askAgain();
    return false;
}
