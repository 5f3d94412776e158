#include "platform/window_placement.h"

#include <QWidget>
#include <QWindow>

namespace {

// Windows draws the frame itself from the window's styles, so it is known as soon as the native
// window exists, mapped or not.
QMargins nativeFrame(QWidget *window)
{
    window->winId();
    return window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
}

} // namespace

QMargins WindowPlacement::frameBeforeMapping(QWidget *window)
{
    return nativeFrame(window);
}

QMargins WindowPlacement::frameNow(QWidget *window)
{
    return nativeFrame(window);
}
