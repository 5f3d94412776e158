#include "task_bar.h"

#include <QWidget>

#if defined(GLYPH_HAVE_XCB)
#include <QGuiApplication>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace {

xcb_atom_t internAtom(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie
        = xcb_intern_atom(connection, false, static_cast<uint16_t>(std::strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

} // namespace
#endif

void keepOutOfTaskBar(QWidget *window)
{
#if defined(_WIN32)
    // A tool window gets no task-bar button on Windows.
    window->setWindowFlag(Qt::Tool, true);
#elif defined(GLYPH_HAVE_XCB)
    // Task bars differ in which window types they list, so say it with the state meant for it.
    // Qt merges the states it sets itself into this property when it maps the window.
    // Only the xcb platform has a window manager to ask: the offscreen one of the tests answers
    // the X11 interface too, but without a connection.
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !connection)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE");
    const std::array<xcb_atom_t, 2> skip { internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
        internAtom(connection, "_NET_WM_STATE_SKIP_PAGER") };
    if (state == XCB_ATOM_NONE || skip[0] == XCB_ATOM_NONE || skip[1] == XCB_ATOM_NONE)
        return;
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, state, XCB_ATOM_ATOM, 32,
        static_cast<uint32_t>(skip.size()), skip.data());
    xcb_flush(connection);
#else
    Q_UNUSED(window);
#endif
}
