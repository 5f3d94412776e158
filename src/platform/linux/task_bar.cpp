#include "platform/task_bar.h"

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace {

// The state and the two it takes, asked for all at once and then awaited: one round trip to the
// server rather than one a name, which counts before a window's first frame on a busy display.
constexpr std::array<const char *, 3> atomNames { "_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR",
    "_NET_WM_STATE_SKIP_PAGER" };

std::array<xcb_atom_t, atomNames.size()> internAtoms(xcb_connection_t *connection)
{
    std::array<xcb_intern_atom_cookie_t, atomNames.size()> cookies {};
    for (std::size_t i = 0; i < atomNames.size(); ++i) {
        cookies[i] = xcb_intern_atom(
            connection, false, static_cast<uint16_t>(std::strlen(atomNames[i])), atomNames[i]);
    }
    std::array<xcb_atom_t, atomNames.size()> atoms {};
    for (std::size_t i = 0; i < atomNames.size(); ++i) {
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(connection, cookies[i], nullptr), &std::free);
        atoms[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    return atoms;
}

} // namespace

void keepOutOfTaskBar(QWidget *window)
{
    // Task bars differ in which window types they list, so say it with the state meant for it.
    // Qt merges the states it sets itself into this property when it maps the window.
    // Only the xcb platform has a window manager to ask: the offscreen one of the tests answers
    // the X11 interface too, but without a connection.
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !connection)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const auto atoms = internAtoms(connection);
    if (std::ranges::find(atoms, xcb_atom_t(XCB_ATOM_NONE)) != atoms.end())
        return;
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, atoms[0], XCB_ATOM_ATOM, 32,
        static_cast<uint32_t>(atoms.size() - 1), &atoms[1]);
    xcb_flush(connection);
}
