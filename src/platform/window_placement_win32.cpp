#include "window_placement.h"

#include <QWidget>
#include <QWindow>

// Windows draws the frame itself from the window's styles, so it is known as soon as the native
// window exists, mapped or not.
static QMargins nativeFrame(QWidget *window)
{
    window->winId();
    return window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
}

QMargins WindowPlacement::frameBeforeMapping(QWidget *window)
{
    return nativeFrame(window);
}

QMargins WindowPlacement::frameNow(QWidget *window)
{
    return nativeFrame(window);
}
