#pragma once

#include <QRect>
#include <cmath>

class QWidget;

// The windows are designed in twips (1440 to the inch). Qt lays out in device-independent pixels,
// which are 1/96 inch, so one pixel is 15 twips on every screen and high-dpi scaling stays Qt's.
namespace Twips {

inline constexpr double perPixel = 15.0;

inline int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / perPixel));
}

inline double fromPixels(int pixels)
{
    return pixels * perPixel;
}

inline QRect rect(double left, double top, double width, double height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

void place(QWidget *widget, double left, double top, double width, double height);

} // namespace Twips
