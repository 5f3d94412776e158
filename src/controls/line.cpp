#include "line.h"

#include "design_style.h"
#include "twips.h"

Line::Line(const QString &designName, QPointF fromTwips, QPointF toTwips, const QColor &colour,
    int widthPixels, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(designName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const QPoint from(Twips::toPixels(fromTwips.x()), Twips::toPixels(fromTwips.y()));
    const QPoint to(Twips::toPixels(toTwips.x()), Twips::toPixels(toTwips.y()));
    QRect area = QRect(from, to).normalized();
    if (area.height() == 1)
        area.setHeight(widthPixels);
    if (area.width() == 1)
        area.setWidth(widthPixels);
    setGeometry(area);
    // Filled with the text role, so that in the system's colours the line shows on the system's
    // background.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::WindowText);
    DesignStyle::setColours(this, { { QPalette::WindowText, colour } });
}
