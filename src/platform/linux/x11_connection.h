#pragma once

// Qt's own connection to the X server, for the few things Qt has no API for. Linux only.

#include <QGuiApplication>
#include <cstdlib>
#include <memory>

#include <xcb/xcb.h>

// Nothing when the program does not run on the xcb platform (offscreen, Wayland).
inline xcb_connection_t *qtX11Connection()
{
    const auto *x11
        = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// xcb replies are malloc'ed and the caller's to free.
struct FreeXcbReply
{
    void operator()(void *reply) const { std::free(reply); }
};
template<typename Reply> using XcbReply = std::unique_ptr<Reply, FreeXcbReply>;
