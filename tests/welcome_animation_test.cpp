#include "welcome/welcome_animation.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Timer = WelcomeAnimation::Timer;
using Banner::letterCount;

// Sizes that differ from letter to letter, so a cursor placed from the wrong letter shows.
std::array<WelcomeAnimation::Size, letterCount> letterSizes()
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
    void loadTo(int percent)
    {
        for (int i = 0; i < percent; ++i)
            animation.loadingTick();
    }
    void typeAndLoadTo(int percent)
    {
        typeLetters(letterCount);
        loadTo(percent);
    }

    std::array<bool, WelcomeAnimation::timerCount> timers() const
    {
        std::array<bool, WelcomeAnimation::timerCount> enabled;
        for (int i = 0; i < WelcomeAnimation::timerCount; ++i)
            enabled[i] = animation.isTimerEnabled(Timer(i));
        return enabled;
    }

    const std::array<WelcomeAnimation::Size, letterCount> sizes = letterSizes();
    WelcomeAnimation animation { sizes };
};

using Timers = std::array<bool, WelcomeAnimation::timerCount>;

TEST_F(WelcomeAnimationTest, EachPhaseTurnsOnTheTimersOfTheNext)
{
    EXPECT_EQ(timers(), (Timers { true, false, false, true, false }));
    animation.centringTick({ 20000, 12000 });
    EXPECT_EQ(timers(), (Timers { true, false, false, false, false }));
    typeLetters(letterCount - 1);
    EXPECT_EQ(timers(), (Timers { true, false, false, false, false }));
    typeLetters(1);
    EXPECT_EQ(timers(), (Timers { false, true, false, false, true }));
    loadTo(99);
    EXPECT_EQ(timers(), (Timers { false, true, false, false, true }));
    loadTo(1);
    EXPECT_EQ(timers(), (Timers { false, false, true, false, true }));
    animation.blinkTick();
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

    typeAndLoadTo(WelcomeAnimation::lastPercent);
    animation.typingTick();
    animation.loadingTick();
    EXPECT_EQ(animation.stepCount(), 100);
    EXPECT_EQ(animation.barWidth(), 12500);
    EXPECT_EQ(
        animation.progressText(), "Loading First Time Configuration (100%), Please wait.....");
}

TEST_F(WelcomeAnimationTest, LettersAppearStrictlyInIndexOrderOnePerTick)
{
    for (int tick = 1; tick <= letterCount; ++tick) {
        animation.typingTick();
        SCOPED_TRACE(tick);
        for (int i = 0; i < letterCount; ++i)
            ASSERT_EQ(animation.isLetterVisible(i), i < tick) << "letter " << i;
        EXPECT_EQ(animation.stepCount(), tick == letterCount ? 0 : tick);
    }
}

struct CursorCase
{
    const char *rule;
    int ticks;
    int letter; // the cursor stands on this letter, which is not shown yet
    double pointSize;
};

TEST_F(WelcomeAnimationTest, CursorRunsOneLetterAheadAnEighthOfItsHeightHigh)
{
    const CursorCase cases[] = {
        { "on the first letter at load", 0, 0, 72 },
        { "on the last letter of the first row", 7, 7, 72 },
        { "jumps to the second row, in the second row's size", 8, 8, 36 },
        { "follows the second row's own heights", 13, 13, 36 },
        { "jumps to the third row", 22, 22, 48 },
        { "on the last letter before it appears", 40, 40, 48 },
    };
    for (const CursorCase &c : cases) {
        SCOPED_TRACE(c.rule);
        WelcomeAnimation fresh(sizes);
        fresh.load();
        for (int i = 0; i < c.ticks; ++i)
            fresh.typingTick();
        const Banner::Letter &letter = Banner::letters[c.letter];
        EXPECT_FALSE(fresh.isLetterVisible(c.letter));
        EXPECT_EQ(fresh.cursor().left, letter.left);
        EXPECT_DOUBLE_EQ(fresh.cursor().top, letter.top - sizes[c.letter].height / 8);
        EXPECT_EQ(fresh.cursor().pointSize, c.pointSize);
        EXPECT_FALSE(fresh.cursor().width.has_value());
    }
}

TEST_F(WelcomeAnimationTest, AfterTheLastLetterTheCursorRestsPastItAndNarrower)
{
    typeLetters(letterCount);
    const WelcomeAnimation::Size last = sizes.back(); // 900 x 1120
    EXPECT_EQ(animation.cursor().left, 12600 + last.width);
    EXPECT_DOUBLE_EQ(animation.cursor().top, 4680 - 1120.0 / 8);
    ASSERT_TRUE(animation.cursor().width.has_value());
    EXPECT_DOUBLE_EQ(*animation.cursor().width, 900 - 900.0 / 7);
    EXPECT_EQ(animation.cursor().pointSize, 48);
    EXPECT_TRUE(animation.cursor().visible);
}

TEST_F(WelcomeAnimationTest, CursorBlinksOnlyOnceTypingHasEnded)
{
    typeLetters(letterCount - 1);
    animation.blinkTick();
    EXPECT_TRUE(animation.cursor().visible);
    typeLetters(1);
    const bool expected[] = { false, true, false, true };
    for (bool visible : expected) {
        animation.blinkTick();
        EXPECT_EQ(animation.cursor().visible, visible);
    }
}

struct ProgressCase
{
    int percent;
    const char *ending; // what follows "Please " in the text
};

TEST_F(WelcomeAnimationTest, ProgressTextCyclesItsDotsEveryTwentyOneTicks)
{
    const ProgressCase cases[] = {
        { 1, "wait.." }, { 3, "wait.." }, { 4, "wait..." }, { 10, "wait..." }, { 11, "wait...." },
        { 17, "wait...." }, { 18, "wait....." }, { 20, "wait....." }, { 21, "wait.." },
        { 99, "wait...." }, { 100, "wait....." }, // three cycling dots and one to close
    };
    typeLetters(letterCount);
    int percent = 0;
    for (const ProgressCase &c : cases) {
        loadTo(c.percent - percent);
        percent = c.percent;
        EXPECT_EQ(animation.progressText(),
            "Loading First Time Configuration (" + std::to_string(c.percent) + "%), Please "
                + c.ending);
    }
}

TEST_F(WelcomeAnimationTest, BarAndTextAppearWithTheFirstLoadingTickAndTheBarGrowsEvenly)
{
    typeLetters(letterCount);
    EXPECT_FALSE(animation.isBarVisible());
    EXPECT_FALSE(animation.isProgressVisible());
    EXPECT_EQ(animation.barWidth(), 12495); // the design width, never shown
    const int checkpoints[] = { 1, 2, 50, 100 };
    int percent = 0;
    for (int checkpoint : checkpoints) {
        loadTo(checkpoint - percent);
        percent = checkpoint;
        EXPECT_TRUE(animation.isBarVisible());
        EXPECT_TRUE(animation.isProgressVisible());
        EXPECT_EQ(animation.barWidth(), 125 * checkpoint);
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
    int percent = 0;
    for (const auto &[checkpoint, spoken] : cases) {
        loadTo(checkpoint - percent);
        percent = checkpoint;
        EXPECT_EQ(animation.spokenProgress(),
            std::string("Loading First Time Configuration (") + spoken + "%), Please wait.");
    }
}

TEST_F(WelcomeAnimationTest, PanelIsCentredOnceFromTheFirstWindowSize)
{
    EXPECT_EQ(animation.panelLeft(), 360);
    EXPECT_EQ(animation.panelTop(), 360);
    animation.centringTick({ 28800, 16200 }); // 1920 x 1080 pixels
    EXPECT_DOUBLE_EQ(animation.panelLeft(), 14400 - 6727.5);
    EXPECT_DOUBLE_EQ(animation.panelTop(), 8100 - 3787.5);
    animation.centringTick({ 15360, 11520 });
    EXPECT_DOUBLE_EQ(animation.panelLeft(), 14400 - 6727.5);
}

TEST(BannerLetters, SpellTheBannerTextRowByRow)
{
    std::string letters;
    for (const Banner::Letter &letter : Banner::letters)
        letters += letter.letter;
    std::string text = Banner::text;
    std::erase(text, ' ');
    EXPECT_EQ(letters, text);
}

} // namespace
