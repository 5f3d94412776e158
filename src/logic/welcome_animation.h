#pragma once

#include "banner_letters.h"

#include <array>
#include <optional>
#include <string>

// The first-run welcome animation without widgets: the banner typed letter by letter behind a
// cursor, then a progress bar with its text, then the hand-over to the main window. Five timers
// drive it; the window forwards each tick here and draws what the state says. Positions and sizes
// are twips relative to the panel.
class WelcomeAnimation
{
public:
    enum class Timer {
        Typing,
        Loading,
        HandOver,
        Centring,
        Blink,
    };
    static constexpr int timerCount = 5;
    static constexpr int intervalMs(Timer timer)
    {
        constexpr std::array<int, timerCount> intervals { 50, 50, 2000, 10, 800 };
        return intervals[static_cast<int>(timer)];
    }

    struct Size
    {
        double width = 0;
        double height = 0;
    };

    struct Cursor
    {
        double left = 0;
        double top = 0;
        double pointSize = 0;
        std::optional<double> width; // nothing: as wide as its font makes it
        bool visible = true;
    };

    static constexpr Size panelSize { 13455, 7575 };
    static constexpr double barGrowth = 125;
    static constexpr int lastPercent = 100;

    // The letters' sizes come from the fonts actually drawn, so the cursor follows them.
    explicit WelcomeAnimation(const std::array<Size, Banner::letterCount> &letterSizes);

    void load();
    void typingTick();
    void loadingTick();
    void handOverTick();
    void centringTick(Size windowSize);
    void blinkTick();

    bool isTimerEnabled(Timer timer) const { return m_timers[static_cast<int>(timer)]; }
    // Where each letter stands; its top is the design's.
    double letterLeft(int index) const { return m_letterLefts.at(index); }
    int stepCount() const { return m_stepCount; }
    bool isLetterVisible(int index) const { return m_letterVisible.at(index); }
    const Cursor &cursor() const { return m_cursor; }
    double panelLeft() const { return m_panelLeft; }
    double panelTop() const { return m_panelTop; }
    bool isBarVisible() const { return m_barVisible; }
    double barWidth() const { return m_barWidth; }
    bool isProgressVisible() const { return m_progressVisible; }
    const std::string &progressText() const { return m_progressText; }
    // The progress as a screen reader should hear it: at the start and then at every quarter,
    // without the cycling dots, so that it is not announced a hundred times.
    std::string spokenProgress() const;
    bool isHandedOver() const { return m_handedOver; }

private:
    void setTimer(Timer timer, bool enabled) { m_timers[static_cast<int>(timer)] = enabled; }
    void layOutLastRow();
    void placeCursorOn(int index);
    void finishTyping();

    std::array<Size, Banner::letterCount> m_letterSizes;
    std::array<double, Banner::letterCount> m_letterLefts {};
    std::array<bool, timerCount> m_timers { false, false, false, true, false };
    std::array<bool, Banner::letterCount> m_letterVisible {};
    int m_stepCount = 0;
    Cursor m_cursor { 1200, 480, 72, std::nullopt, true };
    double m_panelLeft = 360;
    double m_panelTop = 360;
    bool m_barVisible = false;
    double m_barWidth = 12495;
    bool m_progressVisible = false;
    std::string m_progressText;
    bool m_handedOver = false;
};
