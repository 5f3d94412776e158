#pragma once

#include <QWidget>

// A line control, drawn between two points given in twips with a width in pixels. Like a line
// drawn on the window itself it takes no pointer events: a move over it is a move over the
// window's surface. The windows only draw horizontal and vertical lines, so that is all it draws.
class Line : public QWidget
{
    Q_OBJECT

public:
    Line(const QString &designName, QPointF fromTwips, QPointF toTwips, const QColor &colour,
        int widthPixels, QWidget *parent);
};
