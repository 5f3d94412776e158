#include "platform/hand_cursor.h"

#include <QWidget>

void showHandCursor(QWidget *link)
{
    link->setCursor(Qt::PointingHandCursor);
}
