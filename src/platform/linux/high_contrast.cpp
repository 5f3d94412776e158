#include "platform/high_contrast.h"

// An X11 desktop's high-contrast or dark theme reaches the program only as Qt's palette, through
// the platform theme of the desktop (GTK's, KDE's).
std::unique_ptr<HighContrast> createHighContrast()
{
    return std::make_unique<PaletteHighContrast>();
}
