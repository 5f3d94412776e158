#pragma once

#include <QIcon>
#include <functional>

// Gives the application its window icon once the first window has drawn its first frame.
// Decoding the icon's pictures would otherwise delay that frame, which does not show the icon.
void setWindowIconAfterFirstFrame(std::function<QIcon()> loadIcon);
