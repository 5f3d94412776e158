#include "design_style.h"

#include <QStringList>
#include <QWidget>

QFont DesignStyle::arial(double pointSize, bool bold)
{
    QFont font;
    font.setFamilies({ QStringLiteral("Arial"), QStringLiteral("Liberation Sans") });
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void DesignStyle::setColours(QWidget *widget, Colours colours)
{
    setColours(widget, widget->palette(), colours);
}

void DesignStyle::setColours(QWidget *widget, QPalette base, Colours colours)
{
    for (const auto &[role, colour] : colours)
        base.setColor(role, colour);
    widget->setPalette(base);
}
