#pragma once

#include "panels.h"

#include <QString>
#include <array>

// Which of the status bar's panels 2 to 6 are shown, stored as five characters in panel order:
// "0" for a hidden panel, "1" for a shown one.
namespace PanelMask {

inline constexpr int firstPanel = Panels::firstHideable;
inline constexpr int panelCount = Panels::hideableCount;

using Visibility = std::array<bool, panelCount>; // element i belongs to panel i + 2

// Only a mask of exactly five characters is used; any character but "0" leaves its panel shown.
bool isUsable(const QString &mask);
Visibility visibility(const QString &mask);
QString build(const Visibility &visible);

} // namespace PanelMask
