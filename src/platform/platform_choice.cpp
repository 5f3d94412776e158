#include "platform_choice.h"

std::optional<QByteArray> preferredQtPlatform(const QByteArray &qtQpaPlatform,
    const QByteArray &waylandDisplay, const QByteArray &sessionType, const QByteArray &display)
{
    const bool wayland = !waylandDisplay.isEmpty() || sessionType == "wayland";
    if (!qtQpaPlatform.isEmpty() || display.isEmpty() || !wayland)
        return std::nullopt;
    // Wayland stays as the fallback should the xcb plug-in fail to load.
    return QByteArray("xcb;wayland");
}
