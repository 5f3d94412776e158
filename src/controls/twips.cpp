#include "twips.h"

#include <QWidget>

void Twips::place(QWidget *widget, double left, double top, double width, double height)
{
    widget->setGeometry(rect(left, top, width, height));
}
