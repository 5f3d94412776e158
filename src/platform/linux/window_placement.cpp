#include "platform/window_placement.h"
#include "x11_connection.h"

#include <QThread>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstring>
#include <optional>

namespace {

struct Atoms
{
    xcb_atom_t frameExtents = XCB_ATOM_NONE;
    xcb_atom_t requestFrameExtents = XCB_ATOM_NONE;
    xcb_atom_t supported = XCB_ATOM_NONE;
};

xcb_intern_atom_cookie_t internAtom(xcb_connection_t *connection, const char *name)
{
    return xcb_intern_atom(connection, false, std::uint16_t(std::strlen(name)), name);
}

xcb_atom_t atomOf(xcb_connection_t *connection, xcb_intern_atom_cookie_t cookie)
{
    const XcbReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// Asked for all at once and kept: each reply waited for is a round trip to the X server, and
// every one of them here comes before the main window's first frame.
const Atoms &atoms(xcb_connection_t *connection)
{
    static const Atoms known = [connection] {
        const xcb_intern_atom_cookie_t cookies[] = { internAtom(connection, "_NET_FRAME_EXTENTS"),
            internAtom(connection, "_NET_REQUEST_FRAME_EXTENTS"),
            internAtom(connection, "_NET_SUPPORTED") };
        return Atoms { atomOf(connection, cookies[0]), atomOf(connection, cookies[1]),
            atomOf(connection, cookies[2]) };
    }();
    return known;
}

// _NET_FRAME_EXTENTS: left, right, top, bottom.
std::optional<QMargins> frameExtents(xcb_connection_t *connection, xcb_window_t window)
{
    const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection,
        xcb_get_property(
            connection, false, window, atoms(connection).frameExtents, XCB_ATOM_CARDINAL, 0, 4),
        nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    const auto *extents = static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get()));
    return QMargins(int(extents[0]), int(extents[2]), int(extents[1]), int(extents[3]));
}

bool windowManagerSupports(xcb_connection_t *connection, xcb_window_t root, xcb_atom_t feature)
{
    const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection,
        xcb_get_property(
            connection, false, root, atoms(connection).supported, XCB_ATOM_ATOM, 0, 1024),
        nullptr));
    if (!reply || reply->format != 32)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / int(sizeof(xcb_atom_t));
    return std::find(atoms, atoms + count, feature) != atoms + count;
}

QMargins qtFrame(QWidget *window)
{
    return window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
}

} // namespace

// The window manager answers the request by setting the property; it usually has within a
// millisecond or two, and one that claims the request but never answers costs a tenth of a second
// once.
QMargins WindowPlacement::frameBeforeMapping(QWidget *window)
{
    xcb_connection_t *connection = qtX11Connection();
    if (!connection)
        return qtFrame(window);
    const auto id = xcb_window_t(window->winId());
    const xcb_query_tree_cookie_t tree = xcb_query_tree(connection, id);
    const xcb_atom_t request = atoms(connection).requestFrameExtents;
    const XcbReply<xcb_query_tree_reply_t> treeReply(
        xcb_query_tree_reply(connection, tree, nullptr));
    const xcb_window_t root = treeReply ? treeReply->root : xcb_window_t(XCB_WINDOW_NONE);
    if (root == XCB_WINDOW_NONE || !windowManagerSupports(connection, root, request))
        return {};
    xcb_client_message_event_t message {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, false, root,
        XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
        reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (const std::optional<QMargins> extents = frameExtents(connection, id))
            return *extents;
        QThread::msleep(2);
    }
    return {};
}

QMargins WindowPlacement::frameNow(QWidget *window)
{
    if (xcb_connection_t *connection = qtX11Connection())
        return frameExtents(connection, xcb_window_t(window->winId())).value_or(QMargins());
    return qtFrame(window);
}
