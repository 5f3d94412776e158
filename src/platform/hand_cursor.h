#pragma once

class QWidget;

// Shows the hand cursor while the pointer moves over a link. Nothing puts the arrow back: the
// next move off the link brings the window's own cursor back by itself.
void showHandCursor(QWidget *link);
