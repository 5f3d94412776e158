#pragma once

namespace Win32 {

// Whether the user has turned on a high-contrast (contrast) theme.
bool highContrastOn();

// Whether a window message (a MSG) is the system's notice that the high-contrast setting changed.
bool isHighContrastNotice(const void *message);

} // namespace Win32
