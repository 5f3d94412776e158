#include "logic/welcome_animation.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Timer = WelcomeAnimation::Timer;
using Timers = std::array<bool, WelcomeAnimation::timerCount>;
using Banner::letterCount;

// Sizes that differ from letter to letter, so a cursor placed from the wrong one shows.
std::array<WelcomeAnimation::Size, letterCount> distinctSizes()
{
    std::array<WelcomeAnimation::Size, letterCount> sizes;
    for (int i = 0; i < letterCount; ++i)
        sizes[i] = { 300.0 + 15 * i, 800.0 + 8 * i };
    return sizes;
}

class WelcomeAnimationTest : public ::testing::Test
{
protected:
    WelcomeAnimationTest() { animation.load(); }

    void typeLetters(int count)
    {
        for (int i = 0; i < count; ++i)
            animation.typingTick();
    }
    // Loading ticks up to the given percentage, counted from the last call.
    void loadTo(int percent)
    {
        for (; m_percent < percent; ++m_percent)
            animation.loadingTick();
    }
    Timers timers() const
    {
        Timers enabled;
        for (int i = 0; i < WelcomeAnimation::timerCount; ++i)
            enabled[i] = animation.isTimerEnabled(Timer(i));
        return enabled;
    }

    const std::array<WelcomeAnimation::Size, letterCount> sizes = distinctSizes();
    WelcomeAnimation animation { sizes };

private:
    int m_percent = 0;
};

const std::string loading = "Loading First Time Configuration (";
// Past the last row's first 18 letters, 630 to 885 twips wide, and their smallest gaps.
constexpr double lastLetterLeft = 480 + 13635 + 18 * 15;

TEST_F(WelcomeAnimationTest, EachPhaseTurnsOnTheTimersOfTheNext)
{
    EXPECT_EQ(timers(), (Timers { true, false, false, true, false }));
    animation.centringTick({ 20000, 12000 });
    typeLetters(letterCount - 1);
    EXPECT_EQ(timers(), (Timers { true, false, false, false, false }));
    typeLetters(1);
    EXPECT_EQ(timers(), (Timers { false, true, false, false, true }));
    loadTo(99);
    EXPECT_EQ(timers(), (Timers { false, true, false, false, true }));
    loadTo(100);
    EXPECT_EQ(timers(), (Timers { false, false, true, false, true }));
    EXPECT_FALSE(animation.isHandedOver());
    animation.handOverTick();
    EXPECT_TRUE(animation.isHandedOver());
    EXPECT_EQ(timers(), (Timers { false, false, false, false, false }));
}

// A tick that was already queued when its timer stopped must not run the phase once more.
TEST_F(WelcomeAnimationTest, TicksOfAStoppedTimerChangeNothing)
{
    animation.loadingTick();
    animation.handOverTick();
    animation.blinkTick();
    EXPECT_FALSE(animation.isProgressVisible());
    EXPECT_FALSE(animation.isHandedOver());
    EXPECT_TRUE(animation.cursor().visible);
    typeLetters(letterCount);
    loadTo(100);
    animation.typingTick();
    animation.loadingTick();
    EXPECT_EQ(animation.stepCount(), 100);
    EXPECT_EQ(animation.barWidth(), 12500);
    EXPECT_EQ(animation.progressText(), loading + "100%), Please wait.....");
}

TEST_F(WelcomeAnimationTest, LettersAppearStrictlyInIndexOrderOnePerTick)
{
    for (int tick = 1; tick <= letterCount; ++tick) {
        animation.typingTick();
        for (int i = 0; i < letterCount; ++i)
            ASSERT_EQ(animation.isLetterVisible(i), i < tick) << "letter " << i << " tick " << tick;
    }
    EXPECT_EQ(animation.stepCount(), 0); // handed to the loading phase
}

TEST_F(WelcomeAnimationTest, CursorRunsOneLetterAheadAnEighthOfItsHeightHigh)
{
    const struct
    {
        const char *rule;
        int ticks; // the cursor then stands on letter `ticks`, not shown yet
        double pointSize;
        double left = Banner::letters[ticks].left;
    } cases[] = {
        { "on the first letter at load", 0, 72 },
        { "jumps to the second row, in its size", 8, 36 },
        { "follows the second row's own heights", 13, 36 },
        { "jumps to the third row", 22, 48 },
        { "on the last letter before it appears", 40, 48, lastLetterLeft },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.rule);
        WelcomeAnimation fresh(sizes);
        fresh.load();
        for (int i = 0; i < c.ticks; ++i)
            fresh.typingTick();
        EXPECT_FALSE(fresh.isLetterVisible(c.ticks));
        EXPECT_EQ(fresh.cursor().left, c.left);
        EXPECT_DOUBLE_EQ(
            fresh.cursor().top, Banner::letters[c.ticks].top - sizes[c.ticks].height / 8);
        EXPECT_EQ(fresh.cursor().pointSize, c.pointSize);
        EXPECT_FALSE(fresh.cursor().width.has_value());
    }
}

TEST_F(WelcomeAnimationTest, CursorRestsPastTheLastLetterNarrowerAndBlinksFromThen)
{
    animation.blinkTick();
    typeLetters(letterCount); // the last letter is 900 x 1120
    EXPECT_EQ(animation.cursor().left, lastLetterLeft + 900);
    EXPECT_DOUBLE_EQ(animation.cursor().top, 4680 - 1120.0 / 8);
    EXPECT_DOUBLE_EQ(animation.cursor().width.value_or(0), 900 - 900.0 / 7);
    EXPECT_EQ(animation.cursor().pointSize, 48);
    for (bool visible : { true, false, true, false }) {
        EXPECT_EQ(animation.cursor().visible, visible);
        animation.blinkTick();
    }
}

// The product name's row keeps its first letter and spaces the rest evenly, so that with the
// resting cursor behind it the row ends as far inside the panel as it starts; letters too wide for
// that still keep the gap at which they never touch.
TEST(WelcomeLastRowTest, KeepsItsFirstLetterAndEvenGapsInsideThePanel)
{
    constexpr int first = 22;
    std::array<WelcomeAnimation::Size, letterCount> narrow;
    for (int i = 0; i < letterCount; ++i)
        narrow[i] = { 400.0 + 60 * (i % 3), 1120 };
    for (const auto &[sizes, fits] :
        { std::pair(narrow, true), std::pair(distinctSizes(), false) }) {
        SCOPED_TRACE(fits ? "letters that fit" : "letters too wide");
        const WelcomeAnimation animation(sizes);
        EXPECT_EQ(animation.letterLeft(first), Banner::letters[first].left);
        const auto gapAfter = [&](int i) {
            return animation.letterLeft(i + 1) - animation.letterLeft(i) - sizes[i].width;
        };
        for (int i = first + 1; i < letterCount - 1; ++i)
            EXPECT_NEAR(gapAfter(i), gapAfter(first), 1e-9) << "after letter " << i;
        const double end = animation.letterLeft(letterCount - 1) + sizes.back().width * 13 / 7;
        if (fits)
            EXPECT_NEAR(end, WelcomeAnimation::panelSize.width - Banner::letters[first].left, 1e-9);
        else
            EXPECT_EQ(gapAfter(first), 15);
    }
}

TEST_F(WelcomeAnimationTest, BarGrowsEachTickAndTheTextCyclesItsDotsEveryTwentyOne)
{
    const std::pair<int, const char *> cases[] = {
        { 1, "1%), Please wait.." }, { 3, "3%), Please wait.." }, { 4, "4%), Please wait..." },
        { 10, "10%), Please wait..." }, { 11, "11%), Please wait...." },
        { 17, "17%), Please wait...." }, { 18, "18%), Please wait....." },
        { 20, "20%), Please wait....." }, { 21, "21%), Please wait.." },
        { 100, "100%), Please wait....." }, // three cycling dots and one to close
    };
    typeLetters(letterCount);
    for (const auto &[percent, ending] : cases) {
        loadTo(percent);
        EXPECT_EQ(animation.progressText(), loading + ending);
        EXPECT_EQ(animation.barWidth(), 125 * percent);
    }
}

TEST_F(WelcomeAnimationTest, SpokenProgressChangesOnlyAtTheStartAndEachQuarter)
{
    EXPECT_EQ(animation.spokenProgress(), "");
    typeLetters(letterCount);
    const std::pair<int, const char *> cases[] = {
        { 1, "1" },
        { 24, "1" },
        { 25, "25" },
        { 49, "25" },
        { 50, "50" },
        { 99, "75" },
        { 100, "100" },
    };
    for (const auto &[percent, spoken] : cases) {
        loadTo(percent);
        EXPECT_EQ(animation.spokenProgress(), loading + spoken + "%), Please wait.");
    }
}

TEST_F(WelcomeAnimationTest, PanelIsCentredOnceFromTheFirstWindowSize)
{
    EXPECT_EQ(animation.panelLeft(), 360);
    animation.centringTick({ 28800, 16200 }); // 1920 x 1080 pixels
    EXPECT_DOUBLE_EQ(animation.panelLeft(), 14400 - 6727.5);
    EXPECT_DOUBLE_EQ(animation.panelTop(), 8100 - 3787.5);
    animation.centringTick({ 15360, 11520 });
    EXPECT_DOUBLE_EQ(animation.panelLeft(), 14400 - 6727.5);
}

} // namespace
