#include "system_beep.h"

#include <QApplication>

void QtSystemBeep::beep()
{
    QApplication::beep();
}
