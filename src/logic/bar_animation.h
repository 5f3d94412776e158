#pragma once

// The main window's outer height while the status bar is shown and hidden, in twips of the
// window's design metrics, and which of the two animation timers runs.
//
// The window grows by one step per tick of the grow timer until it is at least as tall as with
// the bar, and only then is the bar shown; hiding the bar is at once, and the shrink timer then
// takes the window down to its height without the bar. The bounds are absolute, not offsets from
// where a tick starts.
//
// A menu click while an animation runs does not stop it or start the other one: the running
// animation goes on to its bound, and only then is the wish of the last click looked at. So
// the height never strays outside the two bounds, the bar never shows before the window has
// grown, and the window always ends up at the height that the check mark asks for.
class BarAnimation
{
public:
    static constexpr double hiddenBarHeight = 6100.0;
    static constexpr double shownBarHeight = 6400.0;
    static constexpr double step = 20.0;
    // Title bar, menu bar and borders of the design's window metrics: all that is not client.
    static constexpr double nonClientHeight = 730.0;

    enum class Phase { Still, Growing, Shrinking };

    // Start-up with the bar shown: the window is made taller at once, without animation.
    void startShown();
    // The menu's check mark: shown or not.
    void setWanted(bool shown);

    // One tick of the grow timer, and of the shrink timer.
    void growTick();
    void shrinkTick();

    double outerHeight() const { return m_height; }
    // What lies below the menu bar: the client area, bar included.
    double clientHeight() const { return m_height - nonClientHeight; }
    Phase phase() const { return m_phase; }
    bool isBarVisible() const { return m_barVisible; }

private:
    double m_height = hiddenBarHeight;
    Phase m_phase = Phase::Still;
    bool m_wanted = false;
    bool m_barVisible = false;
};
