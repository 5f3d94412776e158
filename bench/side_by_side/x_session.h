#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <unordered_map>

using Clock = std::chrono::steady_clock;

struct ScreenRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool intersects(const ScreenRect &other) const
    {
        return x < other.x + other.width && other.x < x + width && y < other.y + other.height
            && other.y < y + height;
    }
};

// What the X server reports about the windows of the program under test, watched from outside
// it: top-level windows being mapped and pixels arriving on the screen. The clients under test
// are the only others on this server, so whatever appears on it is theirs.
class XSession
{
public:
    using WindowId = unsigned long;

    explicit XSession(const std::string &displayName);
    ~XSession();
    XSession(const XSession &) = delete;
    XSession &operator=(const XSession &) = delete;

    // Damage is watched on the whole screen, not on a window created later: a window can be
    // created, mapped and painted before an observer that reacts to its creation is heard.
    // It costs the server work on every paint, so it is off during the idle measurements.
    void watchPaints(bool on);

    // Drops every event received so far: what the last client did must not count for the next.
    void discardEvents();

    struct Mapped
    {
        WindowId window = 0;
        Clock::time_point at;
    };
    // The next top-level window mapped other than `except`. Windows that bypass the window
    // manager count too, as a full-screen window may: menus and tooltips, the others of that
    // kind, cannot open at the moments this is asked, before any click or hover.
    std::optional<Mapped> waitForMap(Clock::time_point deadline, WindowId except = 0);
    // The next paint that reaches the window, or, with `area` (window coordinates, a negative y
    // counting from the bottom edge), that reaches that part of it.
    std::optional<Clock::time_point> waitForPaint(
        WindowId window, Clock::time_point deadline, std::optional<ScreenRect> area = {});
    // Waits until the window is gone from the screen (unmapped or destroyed).
    bool waitForUnmap(WindowId window, Clock::time_point deadline);
    // Lets events arrive until nothing has been painted for `quiet`, or the deadline.
    void waitForQuiet(std::chrono::milliseconds quiet, Clock::time_point deadline);

    void focus(WindowId window);
    // Sends the key through the server's test extension, as a keyboard would; returns when the
    // press has left for the server.
    Clock::time_point pressKey(const char *keysymName, bool withControl = false);
    // What the close box does: asks the window to close through the window-manager protocol.
    void askToClose(WindowId window);

private:
    struct Event;
    bool nextEvent(Clock::time_point deadline, Event &event);
    unsigned keycode(const char *keysymName);

    struct _XDisplay *m_display = nullptr;
    WindowId m_root = 0;
    int m_damageEventBase = 0;
    unsigned long m_damage = 0;
    std::unordered_map<WindowId, ScreenRect> m_topLevels;
};
