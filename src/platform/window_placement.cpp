#include "window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void WindowPlacement::centre(QWidget *window, const QPoint &centre, const QMargins &frame)
{
    const QSize client = window->size();
    const QSize outer = client.grownBy(frame);
    // So that the frame's QRect::center() is the point, as the centres given are QRect's.
    const QPoint frameTopLeft = centre - QPoint((outer.width() - 1) / 2, (outer.height() - 1) / 2);
    // The client's own position, which no frame shifts, unlike move().
    window->setGeometry(QRect(frameTopLeft + QPoint(frame.left(), frame.top()), client));
}

namespace {

QPoint frameCentre(QWidget *window)
{
    return window->geometry().marginsAdded(WindowPlacement::frameNow(window)).center();
}

// The one that holds the centre, or where none does (a window pushed off every screen) the one Qt
// gives the window.
QScreen *screenOf(QWidget *window)
{
    QScreen *screen = QGuiApplication::screenAt(frameCentre(window));
    return screen ? screen : window->screen();
}

} // namespace

void WindowPlacement::centreOver(QWidget *window, QWidget *owner, const QMargins &frame)
{
    centre(window, frameCentre(owner), frame);
}

void WindowPlacement::centreOnScreenOf(QWidget *window, QWidget *owner, const QMargins &frame)
{
    if (const QScreen *screen = screenOf(owner))
        centre(window, screen->availableGeometry().center(), frame);
}
