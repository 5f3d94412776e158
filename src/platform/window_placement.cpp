#include "window_placement.h"

#include <QWidget>

void WindowPlacement::centre(QWidget *window, const QPoint &centre, const QMargins &frame)
{
    const QSize client = window->size();
    const QSize outer = client.grownBy(frame);
    const QPoint frameTopLeft = centre - QPoint(outer.width() / 2, outer.height() / 2);
    // The client's own position, which no frame shifts, unlike move().
    window->setGeometry(QRect(frameTopLeft + QPoint(frame.left(), frame.top()), client));
}

void WindowPlacement::centreOver(QWidget *window, QWidget *owner, const QMargins &frame)
{
    centre(window, owner->geometry().marginsAdded(frameNow(owner)).center(), frame);
}
