#include "hand_cursor.h"

#ifdef _WIN32
#include "win32/hand_cursor.h"
#endif

#include <QWidget>

void showHandCursor(QWidget *link)
{
#ifdef _WIN32
    // The system's hand at once; without the widget's own cursor as well, Qt would put the arrow
    // back at the pointer's next move, when Windows asks the window for its cursor again.
    Win32::setHandCursor();
#endif
    link->setCursor(Qt::PointingHandCursor);
}
