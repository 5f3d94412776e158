#pragma once

#include <QByteArray>
#include <optional>

// The Qt platform plug-in the program asks for, from the environment it starts in, or nothing to
// leave the choice to Qt. A Wayland session gives a program neither the lock keys' state nor the
// placement of its windows, so where its X server is at hand (DISPLAY) the program runs on that,
// unless the user has picked a platform with QT_QPA_PLATFORM.
std::optional<QByteArray> preferredQtPlatform(const QByteArray &qtQpaPlatform,
    const QByteArray &waylandDisplay, const QByteArray &sessionType, const QByteArray &display);
