#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <initializer_list>
#include <utility>

class QWidget;

// The typeface and the colours the windows are designed with, set the same way in every window.
namespace DesignStyle {

// Arial, or the metric-compatible Liberation Sans where Arial is not installed, so that every
// window keeps its designed text widths and falls back alike.
QFont arial(double pointSize, bool bold = true);

using Colours = std::initializer_list<std::pair<QPalette::ColorRole, QColor>>;

// Gives the widget the design's colours for these roles and leaves the other roles as they are.
void setColours(QWidget *widget, Colours colours);
// The same over `base` instead of the palette the widget has now.
void setColours(QWidget *widget, QPalette base, Colours colours);

} // namespace DesignStyle
