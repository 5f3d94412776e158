#include "hand_cursor.h"

#ifdef _WIN32
#include "win32/hand_cursor.h"
#else
#include <QWidget>
#endif

void showHandCursor([[maybe_unused]] QWidget *link)
{
#ifdef _WIN32
    Win32::setHandCursor();
#else
    link->setCursor(Qt::PointingHandCursor);
#endif
}
