#include "platform/hand_cursor.h"

#include "platform/win32/api/system_cursor.h"

#include <QWidget>

void showHandCursor(QWidget *link)
{
    // The system's hand at once; without the widget's own cursor as well, Qt would put the arrow
    // back at the pointer's next move, when Windows asks the window for its cursor again.
    Win32::setHandCursor();
    link->setCursor(Qt::PointingHandCursor);
}
