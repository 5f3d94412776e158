#include "contrast_setting.h"

#include <windows.h>

bool Win32::highContrastOn()
{
    HIGHCONTRASTW setting {};
    setting.cbSize = sizeof(setting);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(setting), &setting, 0)
        && (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// Windows broadcasts WM_SETTINGCHANGE to every top-level window, naming the parameter that
// changed in wParam.
bool Win32::isHighContrastNotice(const void *message)
{
    const auto *msg = static_cast<const MSG *>(message);
    return msg->message == WM_SETTINGCHANGE && msg->wParam == SPI_SETHIGHCONTRAST;
}
