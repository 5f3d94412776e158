#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <initializer_list>
#include <utility>

class HighContrast;
class QWidget;

// The typeface and the colours the windows are designed with, set the same way in every window.
//
// A window draws either in the design's colours, every text over a background of the design, or
// in the system's palette throughout, where the system asks for high contrast or its palette is
// dark; never the system's text colour on the design's background or the reverse, which a light
// text colour makes unreadable. The design's pictures stay either way.
namespace DesignStyle {

// Arial, or the metric-compatible Liberation Sans where Arial is not installed, so that every
// window keeps its designed text widths and falls back alike.
QFont arial(double pointSize, bool bold = true);

// The system colours the design names for text on its own backgrounds, as the system's standard
// light scheme has them: text and button text, and the highlight and highlighted-text colours.
inline const QColor systemText = Qt::black;
inline const QColor systemHighlight = QColor(0, 120, 215);
inline const QColor systemHighlightText = Qt::white;

using Colours = std::initializer_list<std::pair<QPalette::ColorRole, QColor>>;

// Gives the widget the design's colours for these roles and leaves the other roles as they are.
// While its window draws in the system's colours, the widget keeps them for when it no longer does.
void setColours(QWidget *widget, Colours colours);

// Whether the widget's window draws in the system's colours.
bool usesSystemColours(const QWidget *widget);

// Draws the window in the system's colours while `highContrast` is on, and in the design's
// otherwise, from now on. Called once the window has made its controls.
void followHighContrast(QWidget *window, HighContrast &highContrast);

} // namespace DesignStyle
