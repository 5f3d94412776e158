#pragma once

#include <QMargins>
#include <QPoint>

class QWidget;

// Placing top-level windows by their frame, which the window system draws around them. Under a
// reparenting X11 window manager the frame exists only once the window is mapped, so a window
// centred by its own size would sit off by half the frame.
namespace WindowPlacement {

// The frame a window that is about to be shown for the first time will get. Under X11 the window
// manager is asked for its estimate; where it gives none, the frame reads as empty.
QMargins frameBeforeMapping(QWidget *window);

// The frame the window has now.
QMargins frameNow(QWidget *window);

// Moves the window so that its frame, taken as given, is centred on the point.
void centre(QWidget *window, const QPoint &centre, const QMargins &frame);

// Centres the window's frame, taken as given, on the owner's frame as it is now.
void centreOver(QWidget *window, QWidget *owner, const QMargins &frame);

// Centres the window's frame, taken as given, on the available area of the screen that holds the
// centre of the owner's frame as it is now. Qt gives the window that screen, and its scale, from
// the position.
void centreOnScreenOf(QWidget *window, QWidget *owner, const QMargins &frame);

} // namespace WindowPlacement
