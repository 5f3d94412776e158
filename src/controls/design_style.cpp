#include "design_style.h"

#include "platform/high_contrast.h"

#include <QStringList>
#include <QWidget>

namespace {

// Each widget's design colours, and whether its window draws in the system's instead, travel
// with the widgets as properties, so that a control a window makes later, or colours again on a
// hover, follows the window's choice.
constexpr char designColoursProperty[] = "designColours";
constexpr char systemColoursProperty[] = "systemColours";

void useSystemColours(QWidget *window, bool system)
{
    window->setProperty(systemColoursProperty, system);
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    for (QWidget *widget : widgets) {
        const QVariant design = widget->property(designColoursProperty);
        if (design.isValid())
            widget->setPalette(system ? QPalette() : design.value<QPalette>());
    }
}

} // namespace

QFont DesignStyle::arial(double pointSize, bool bold)
{
    QFont font;
    font.setFamilies({ QStringLiteral("Arial"), QStringLiteral("Liberation Sans") });
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

// The palette given holds only the design's roles; the others stay the widget's parent's.
void DesignStyle::setColours(QWidget *widget, Colours colours)
{
    auto design = widget->property(designColoursProperty).value<QPalette>();
    for (const auto &[role, colour] : colours)
        design.setColor(role, colour);
    widget->setProperty(designColoursProperty, QVariant::fromValue(design));
    if (!usesSystemColours(widget))
        widget->setPalette(design);
}

bool DesignStyle::usesSystemColours(const QWidget *widget)
{
    return widget->window()->property(systemColoursProperty).toBool();
}

void DesignStyle::followHighContrast(QWidget *window, HighContrast &highContrast)
{
    useSystemColours(window, highContrast.isOn());
    QObject::connect(&highContrast, &HighContrast::changed, window,
        [window, &highContrast] { useSystemColours(window, highContrast.isOn()); });
}
