#include "x_session.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <stdexcept>

struct XSession::Event
{
    enum class Kind { Map, Gone, Paint, Other } kind = Kind::Other;
    WindowId window = 0;
    ScreenRect area;
    Clock::time_point at;
};

XSession::XSession(const std::string &displayName)
    : m_display(XOpenDisplay(displayName.c_str()))
{
    if (!m_display)
        throw std::runtime_error("cannot open X display " + displayName);
    int damageErrorBase = 0;
    int xtestEvent = 0, xtestError = 0, major = 0, minor = 0;
    if (!XDamageQueryExtension(m_display, &m_damageEventBase, &damageErrorBase)
        || !XTestQueryExtension(m_display, &xtestEvent, &xtestError, &major, &minor)) {
        XCloseDisplay(m_display);
        throw std::runtime_error("the X server lacks the DAMAGE or XTEST extension");
    }
    m_root = DefaultRootWindow(m_display);
    XSelectInput(m_display, m_root, SubstructureNotifyMask);
    XSync(m_display, False);
}

XSession::~XSession()
{
    watchPaints(false);
    XCloseDisplay(m_display);
}

void XSession::watchPaints(bool on)
{
    if (on == (m_damage != 0))
        return;
    if (on) {
        m_damage = XDamageCreate(m_display, m_root, XDamageReportRawRectangles);
    } else {
        XDamageDestroy(m_display, m_damage);
        m_damage = 0;
    }
    XSync(m_display, False);
}

void XSession::discardEvents()
{
    XSync(m_display, False);
    Event event;
    while (XPending(m_display))
        nextEvent(Clock::now(), event);
}

// Every event is stamped when it is read, which is as soon as it arrives: the caller waits in
// poll() on the connection and nothing else runs in this process.
bool XSession::nextEvent(Clock::time_point deadline, Event &event)
{
    while (!XPending(m_display)) {
        const auto left
            = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd connection { ConnectionNumber(m_display), POLLIN, 0 };
        poll(&connection, 1, int(std::min<long long>(left.count() + 1, 1000)));
    }
    XEvent raw;
    XNextEvent(m_display, &raw);
    event = Event { Event::Kind::Other, 0, {}, Clock::now() };
    switch (raw.type) {
    case CreateNotify:
        m_topLevels[raw.xcreatewindow.window] = { raw.xcreatewindow.x, raw.xcreatewindow.y,
            raw.xcreatewindow.width, raw.xcreatewindow.height };
        break;
    case ConfigureNotify:
        m_topLevels[raw.xconfigure.window]
            = { raw.xconfigure.x, raw.xconfigure.y, raw.xconfigure.width, raw.xconfigure.height };
        break;
    case MapNotify:
        event = Event { Event::Kind::Map, raw.xmap.window, {}, event.at };
        break;
    case UnmapNotify:
        event = Event { Event::Kind::Gone, raw.xunmap.window, {}, event.at };
        break;
    case DestroyNotify:
        m_topLevels.erase(raw.xdestroywindow.window);
        event = Event { Event::Kind::Gone, raw.xdestroywindow.window, {}, event.at };
        break;
    default:
        if (raw.type == m_damageEventBase + XDamageNotify) {
            const auto &damage = reinterpret_cast<const XDamageNotifyEvent &>(raw);
            event = Event { Event::Kind::Paint, 0,
                { damage.area.x, damage.area.y, damage.area.width, damage.area.height }, event.at };
        }
        break;
    }
    return true;
}

std::optional<XSession::Mapped> XSession::waitForMap(Clock::time_point deadline, WindowId except)
{
    Event event;
    while (nextEvent(deadline, event)) {
        if (event.kind != Event::Kind::Map || event.window == except)
            continue;
        // Wine maps helper windows of a pixel or two of its own before the program's.
        const auto known = m_topLevels.find(event.window);
        if (known != m_topLevels.end() && (known->second.width < 8 || known->second.height < 8))
            continue;
        return Mapped { event.window, event.at };
    }
    return std::nullopt;
}

std::optional<Clock::time_point> XSession::waitForPaint(
    WindowId window, Clock::time_point deadline, std::optional<ScreenRect> area)
{
    Event event;
    while (nextEvent(deadline, event)) {
        if (event.kind != Event::Kind::Paint)
            continue;
        const auto known = m_topLevels.find(window);
        if (known == m_topLevels.end())
            continue;
        ScreenRect target = known->second;
        if (area) {
            const int top = area->y < 0 ? target.height + area->y : area->y;
            target = { target.x + area->x, target.y + top, area->width, area->height };
        }
        if (event.area.intersects(target))
            return event.at;
    }
    return std::nullopt;
}

bool XSession::waitForUnmap(WindowId window, Clock::time_point deadline)
{
    Event event;
    while (nextEvent(deadline, event)) {
        if (event.kind == Event::Kind::Gone && event.window == window)
            return true;
    }
    return false;
}

void XSession::waitForQuiet(std::chrono::milliseconds quiet, Clock::time_point deadline)
{
    Event event;
    for (auto until = std::min(Clock::now() + quiet, deadline);;) {
        if (!nextEvent(until, event))
            return;
        if (event.kind == Event::Kind::Paint)
            until = std::min(event.at + quiet, deadline);
    }
}

void XSession::focus(WindowId window)
{
    XSetInputFocus(m_display, window, RevertToPointerRoot, CurrentTime);
    XSync(m_display, False);
}

unsigned XSession::keycode(const char *keysymName)
{
    const KeySym keysym = XStringToKeysym(keysymName);
    const KeyCode code = keysym == NoSymbol ? 0 : XKeysymToKeycode(m_display, keysym);
    if (!code)
        throw std::runtime_error(std::string("no key for ") + keysymName);
    return code;
}

Clock::time_point XSession::pressKey(const char *keysymName, bool withControl)
{
    const unsigned control = withControl ? keycode("Control_L") : 0;
    const unsigned key = keycode(keysymName);
    if (control)
        XTestFakeKeyEvent(m_display, control, True, CurrentTime);
    XTestFakeKeyEvent(m_display, key, True, CurrentTime);
    XFlush(m_display);
    const Clock::time_point pressed = Clock::now();
    XTestFakeKeyEvent(m_display, key, False, CurrentTime);
    if (control)
        XTestFakeKeyEvent(m_display, control, False, CurrentTime);
    XFlush(m_display);
    return pressed;
}

void XSession::askToClose(WindowId window)
{
    XEvent message {};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = long(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    message.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, window, False, NoEventMask, &message);
    XFlush(m_display);
}
