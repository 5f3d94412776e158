#include "welcome_animation.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

// Constants rather than strings built at start-up: a normal start never shows this window.
constexpr std::string_view loadingPrefix = "Loading First Time Configuration (";
constexpr std::string_view loadingSuffix = "%), Please wait.";

std::string progressLine(int percent)
{
    std::string line(loadingPrefix);
    line += std::to_string(percent);
    line += loadingSuffix;
    return line;
}

// One to four dots after the text's own, cycling every 21 ticks so the line looks busy.
int cyclingDots(int percent)
{
    const int phase = percent % 21;
    return static_cast<int>(std::lround(phase / 7.0)) + 1;
}

// Letters drawn at whole pixels, each rounded on its own, still never touch when their gap is at
// least one pixel at 96 dpi.
constexpr double minimumGap = 15;

// Kept a little narrower than the letter before it, as drawn.
double restingCursorWidth(const WelcomeAnimation::Size &lastLetter)
{
    return lastLetter.width - lastLetter.width / 7;
}

} // namespace

WelcomeAnimation::WelcomeAnimation(const std::array<Size, Banner::letterCount> &letterSizes)
    : m_letterSizes(letterSizes)
    , m_progressText(progressLine(lastPercent) + "......") // the design caption, never shown
{
    for (int i = 0; i < Banner::letterCount; ++i)
        m_letterLefts[i] = Banner::letters[i].left;
    layOutLastRow();
}

// The row keeps its first letter where it is; the others follow by their own widths with even
// gaps, so that the row, the resting cursor behind it included, ends as far inside the panel's
// right edge as it starts inside its left one, whatever the fonts make of the letters.
void WelcomeAnimation::layOutLastRow()
{
    const int first = static_cast<int>(
        std::ranges::find(Banner::letters, Banner::Face::Large, &Banner::Letter::face)
        - Banner::letters.begin());
    double drawn = restingCursorWidth(m_letterSizes.back());
    for (int i = first; i < Banner::letterCount; ++i)
        drawn += m_letterSizes[i].width;
    const double room = panelSize.width - 2 * m_letterLefts[first];
    const double gap = std::max(minimumGap, (room - drawn) / (Banner::letterCount - 1 - first));
    for (int i = first + 1; i < Banner::letterCount; ++i)
        m_letterLefts[i] = m_letterLefts[i - 1] + m_letterSizes[i - 1].width + gap;
}

void WelcomeAnimation::load()
{
    m_stepCount = 0;
    setTimer(Timer::Typing, true);
    setTimer(Timer::Centring, true);
    placeCursorOn(m_stepCount);
}

void WelcomeAnimation::centringTick(Size windowSize)
{
    if (!isTimerEnabled(Timer::Centring))
        return;
    m_panelLeft = windowSize.width / 2 - panelSize.width / 2;
    m_panelTop = windowSize.height / 2 - panelSize.height / 2;
    setTimer(Timer::Centring, false);
}

void WelcomeAnimation::typingTick()
{
    if (!isTimerEnabled(Timer::Typing))
        return;
    m_letterVisible[m_stepCount] = true;
    ++m_stepCount;
    if (m_stepCount == Banner::letterCount)
        finishTyping();
    else
        placeCursorOn(m_stepCount); // one letter ahead of the text
}

void WelcomeAnimation::finishTyping()
{
    setTimer(Timer::Typing, false);
    m_stepCount = 0;
    setTimer(Timer::Loading, true);
    const Banner::Letter &last = Banner::letters.back();
    const Size &size = m_letterSizes.back();
    m_cursor.left = m_letterLefts.back() + size.width;
    m_cursor.top = last.top - size.height / 8;
    m_cursor.width = restingCursorWidth(size);
    m_cursor.pointSize = Banner::pointSize(last.face);
    setTimer(Timer::Blink, true);
}

void WelcomeAnimation::placeCursorOn(int index)
{
    const Banner::Letter &letter = Banner::letters[index];
    m_cursor.left = m_letterLefts[index];
    // An underscore hangs below its own baseline; raised by an eighth of the letter's height it
    // lines up with the foot of the letter instead of dropping under it.
    m_cursor.top = letter.top - m_letterSizes[index].height / 8;
    m_cursor.pointSize = Banner::pointSize(letter.face);
}

void WelcomeAnimation::blinkTick()
{
    if (isTimerEnabled(Timer::Blink))
        m_cursor.visible = !m_cursor.visible;
}

void WelcomeAnimation::loadingTick()
{
    if (!isTimerEnabled(Timer::Loading))
        return;
    if (m_stepCount == 0) {
        m_barWidth = 0;
        m_barVisible = true;
        m_progressVisible = true;
    }
    ++m_stepCount;
    m_barWidth += barGrowth;
    m_progressText = progressLine(m_stepCount) + std::string(cyclingDots(m_stepCount), '.');
    if (m_stepCount == lastPercent) {
        setTimer(Timer::Loading, false);
        m_progressText += '.';
        setTimer(Timer::HandOver, true);
    }
}

void WelcomeAnimation::handOverTick()
{
    if (!isTimerEnabled(Timer::HandOver))
        return;
    m_handedOver = true;
    // The window unloads with the hand-over, and its timers stop with it.
    m_timers.fill(false);
}

std::string WelcomeAnimation::spokenProgress() const
{
    if (!m_progressVisible)
        return {};
    const int quarter = lastPercent / 4;
    const int percent = m_stepCount < quarter ? 1 : m_stepCount / quarter * quarter;
    return progressLine(percent);
}
