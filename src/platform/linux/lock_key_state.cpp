#include "platform/lock_key_state.h"
#include "x11_connection.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <array>
#include <cstring>
#include <optional>

// The C header names a member "explicit", which C++ reserves.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

namespace {

constexpr std::array indicatorNames { "Num Lock", "Caps Lock", "Scroll Lock" }; // LockKey order

struct Indicator
{
    int index = -1; // bit in the keyboard's indicator state; -1 when the keymap has none
    bool on = false;
};
using Indicators = std::array<Indicator, indicatorNames.size()>;
using IndicatorAtoms = std::array<xcb_atom_t, indicatorNames.size()>;

// All requests go out before the first reply is waited for, so that it costs one round trip.
Indicators readIndicators(xcb_connection_t *connection, const IndicatorAtoms &names)
{
    std::array<std::optional<xcb_xkb_get_named_indicator_cookie_t>, indicatorNames.size()> cookies;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] != XCB_ATOM_NONE)
            cookies[i] = xcb_xkb_get_named_indicator(connection, XCB_XKB_ID_USE_CORE_KBD,
                XCB_XKB_LED_CLASS_DFLT_XI_CLASS, XCB_XKB_ID_DFLT_XI_ID, names[i]);
    }
    Indicators indicators;
    for (std::size_t i = 0; i < indicators.size(); ++i) {
        if (!cookies[i])
            continue;
        const XcbReply<xcb_xkb_get_named_indicator_reply_t> indicator(
            xcb_xkb_get_named_indicator_reply(connection, *cookies[i], nullptr));
        if (indicator && indicator->found && indicator->ndx < 32)
            indicators[i] = { indicator->ndx, indicator->on != 0 };
    }
    return indicators;
}

// The keyboard's indicators (the lights) are what the user sees as the lock state, and XKB
// announces every change of them, so nothing polls. Qt's own connection is shared: selecting
// only the events read here leaves Qt's selections as they are, and its event loop hands every
// event to this filter before Qt looks at it.
class XkbLockKeyState final : public LockKeyState, private QAbstractNativeEventFilter
{
public:
    XkbLockKeyState(xcb_connection_t *connection, std::uint8_t firstEvent,
        const IndicatorAtoms &names, const Indicators &indicators)
        : m_connection(connection)
        , m_firstEvent(firstEvent)
        , m_names(names)
        , m_indicators(indicators)
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    ~XkbLockKeyState() override
    {
        if (QCoreApplication *application = QCoreApplication::instance())
            application->removeNativeEventFilter(this);
    }

    bool isOn(LockKey key) const override { return m_indicators[std::size_t(key)].on; }
    // Nothing is known to slip past the events; asking again costs one round trip, and keeps the
    // bar right should one ever be lost.
    void recheck() override { show(readIndicators(m_connection, m_names)); }

private:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != m_firstEvent)
            return false;
        // Every XKB event starts alike, its kind in xkbType.
        const auto *notice
            = reinterpret_cast<const xcb_xkb_indicator_state_notify_event_t *>(event);
        switch (notice->xkbType) {
        case XCB_XKB_INDICATOR_STATE_NOTIFY: {
            Indicators indicators = m_indicators;
            for (Indicator &indicator : indicators)
                indicator.on = indicator.index >= 0 && ((notice->state >> indicator.index) & 1u);
            show(indicators);
            break;
        }
        // Another layout or another keyboard brings a keymap of its own, which may put the
        // lights at other bits or leave one out.
        case XCB_XKB_NAMES_NOTIFY:
        case XCB_XKB_NEW_KEYBOARD_NOTIFY:
            show(readIndicators(m_connection, m_names));
            break;
        default:
            break;
        }
        return false; // Qt may want XKB events too
    }

    void show(const Indicators &indicators)
    {
        bool changedAny = false;
        for (std::size_t i = 0; i < indicators.size(); ++i)
            changedAny |= indicators[i].on != m_indicators[i].on;
        m_indicators = indicators;
        if (changedAny)
            Q_EMIT changed();
    }

    xcb_connection_t *m_connection;
    std::uint8_t m_firstEvent;
    IndicatorAtoms m_names;
    Indicators m_indicators;
};

xcb_intern_atom_cookie_t internExisting(xcb_connection_t *connection, const char *name)
{
    return xcb_intern_atom(connection, true, std::uint16_t(std::strlen(name)), name);
}

// The requests go out in two batches and each batch's replies come back together: every reply
// waited for on its own would be another round trip to the X server.
std::unique_ptr<LockKeyState> createXkbLockKeyState()
{
    const auto *x11
        = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return nullptr;
    const xcb_query_extension_reply_t *extension = xcb_get_extension_data(connection, &xcb_xkb_id);
    if (!extension || !extension->present)
        return nullptr;

    const xcb_xkb_use_extension_cookie_t useCookie
        = xcb_xkb_use_extension(connection, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION);
    std::array<xcb_intern_atom_cookie_t, 3> nameCookies;
    for (std::size_t i = 0; i < nameCookies.size(); ++i)
        nameCookies[i] = internExisting(connection, indicatorNames[i]);
    const XcbReply<xcb_xkb_use_extension_reply_t> use(
        xcb_xkb_use_extension_reply(connection, useCookie, nullptr));
    IndicatorAtoms names;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const XcbReply<xcb_intern_atom_reply_t> atom(
            xcb_intern_atom_reply(connection, nameCookies[i], nullptr));
        names[i] = atom ? atom->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    if (!use || !use->supported)
        return nullptr;

    // Selected before the states are read, so that no change falls between the two. Of the name
    // changes, only the indicators' matter here; Qt selects new-keyboard notices in full itself,
    // so selecting them again changes nothing for it.
    const std::uint16_t allDetails
        = XCB_XKB_EVENT_TYPE_INDICATOR_STATE_NOTIFY | XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY;
    const std::uint16_t events = allDetails | XCB_XKB_EVENT_TYPE_NAMES_NOTIFY;
    xcb_xkb_select_events_details_t details {};
    details.affectNames = XCB_XKB_NAME_DETAIL_INDICATOR_NAMES;
    details.namesDetails = XCB_XKB_NAME_DETAIL_INDICATOR_NAMES;
    const xcb_void_cookie_t selection = xcb_xkb_select_events_aux_checked(
        connection, XCB_XKB_ID_USE_CORE_KBD, events, 0, allDetails, 0, 0, &details);
    const Indicators indicators = readIndicators(connection, names);
    if (xcb_generic_error_t *error = xcb_request_check(connection, selection)) {
        std::free(error);
        return nullptr;
    }
    return std::make_unique<XkbLockKeyState>(connection, extension->first_event, names, indicators);
}

} // namespace

std::unique_ptr<LockKeyState> createLockKeyState()
{
    if (std::unique_ptr<LockKeyState> xkb = createXkbLockKeyState())
        return xkb;
    return std::make_unique<NoLockKeyState>();
}
