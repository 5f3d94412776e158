#include "lock_key_state.h"
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

// The keyboard's indicators (the lights) are what the user sees as the lock state, and XKB
// announces every change of them, so nothing polls. Qt's own connection is shared: selecting
// only the indicator event leaves Qt's selections as they are, and its event loop hands every
// event to this filter before Qt looks at it.
class XkbLockKeyState final : public LockKeyState, private QAbstractNativeEventFilter
{
public:
    XkbLockKeyState(std::uint8_t firstEvent, const std::array<Indicator, 3> &indicators)
        : m_firstEvent(firstEvent)
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

private:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != m_firstEvent)
            return false;
        const auto *notice
            = reinterpret_cast<const xcb_xkb_indicator_state_notify_event_t *>(event);
        if (notice->xkbType != XCB_XKB_INDICATOR_STATE_NOTIFY)
            return false;
        bool changedAny = false;
        for (Indicator &indicator : m_indicators) {
            const bool on = indicator.index >= 0 && ((notice->state >> indicator.index) & 1u);
            changedAny |= on != indicator.on;
            indicator.on = on;
        }
        if (changedAny)
            Q_EMIT changed();
        return false; // Qt may want XKB events too
    }

    std::uint8_t m_firstEvent;
    std::array<Indicator, 3> m_indicators;
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
    std::array<xcb_atom_t, 3> names;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const XcbReply<xcb_intern_atom_reply_t> atom(
            xcb_intern_atom_reply(connection, nameCookies[i], nullptr));
        names[i] = atom ? atom->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    if (!use || !use->supported)
        return nullptr;

    // Selected before the states are read, so that no change falls between the two.
    const std::uint16_t indicatorEvents = XCB_XKB_EVENT_TYPE_INDICATOR_STATE_NOTIFY;
    const xcb_xkb_select_events_details_t noDetails {};
    const xcb_void_cookie_t selection = xcb_xkb_select_events_aux_checked(
        connection, XCB_XKB_ID_USE_CORE_KBD, indicatorEvents, 0, indicatorEvents, 0, 0, &noDetails);
    std::array<std::optional<xcb_xkb_get_named_indicator_cookie_t>, 3> indicatorCookies;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] != XCB_ATOM_NONE)
            indicatorCookies[i] = xcb_xkb_get_named_indicator(connection, XCB_XKB_ID_USE_CORE_KBD,
                XCB_XKB_LED_CLASS_DFLT_XI_CLASS, XCB_XKB_ID_DFLT_XI_ID, names[i]);
    }
    std::array<Indicator, 3> indicators;
    for (std::size_t i = 0; i < indicators.size(); ++i) {
        if (!indicatorCookies[i])
            continue;
        const XcbReply<xcb_xkb_get_named_indicator_reply_t> indicator(
            xcb_xkb_get_named_indicator_reply(connection, *indicatorCookies[i], nullptr));
        if (indicator && indicator->found && indicator->ndx < 32)
            indicators[i] = { indicator->ndx, indicator->on != 0 };
    }
    if (xcb_generic_error_t *error = xcb_request_check(connection, selection)) {
        std::free(error);
        return nullptr;
    }
    return std::make_unique<XkbLockKeyState>(extension->first_event, indicators);
}

} // namespace

std::unique_ptr<LockKeyState> createLockKeyState()
{
    if (std::unique_ptr<LockKeyState> xkb = createXkbLockKeyState())
        return xkb;
    return std::make_unique<NoLockKeyState>();
}
