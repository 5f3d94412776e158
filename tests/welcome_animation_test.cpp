#include "welcome/welcome_animation.h"

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
    } cases[] = {
        { "on the first letter at load", 0, 72 },
        { "jumps to the second row, in its size", 8, 36 },
        { "follows the second row's own heights", 13, 36 },
        { "jumps to the third row", 22, 48 },
        { "on the last letter before it appears", 40, 48 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.rule);
        WelcomeAnimation fresh(sizes);
        fresh.load();
        for (int i = 0; i < c.ticks; ++i)
            fresh.typingTick();
        EXPECT_FALSE(fresh.isLetterVisible(c.ticks));
        EXPECT_EQ(fresh.cursor().left, fresh.letterLeft(c.ticks));
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
    EXPECT_EQ(animation.cursor().left, animation.letterLeft(letterCount - 1) + 900);
    EXPECT_DOUBLE_EQ(animation.cursor().top, 4680 - 1120.0 / 8);
    EXPECT_DOUBLE_EQ(animation.cursor().width.value_or(0), 900 - 900.0 / 7);
    EXPECT_EQ(animation.cursor().pointSize, 48);
    for (bool visible : { true, false, true, false }) {
        EXPECT_EQ(animation.cursor().visible, visible);
        animation.blinkTick();
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
