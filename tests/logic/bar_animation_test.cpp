#include "logic/bar_animation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using Phase = BarAnimation::Phase;

// One tick of whichever timer the animation asks for.
void tick(BarAnimation &animation)
{
    if (animation.phase() == Phase::Growing)
        animation.growTick();
    else if (animation.phase() == Phase::Shrinking)
        animation.shrinkTick();
}

// Ticks until the animation asks for no timer, and records the height after every tick. The bar
// must never show on a window that is not yet tall enough for it.
std::vector<double> runToRest(BarAnimation &animation, int limit = 200)
{
    std::vector<double> heights;
    while (animation.phase() != Phase::Still && int(heights.size()) < limit) {
        tick(animation);
        heights.push_back(animation.outerHeight());
        EXPECT_TRUE(!animation.isBarVisible() || animation.outerHeight() >= 6400.0);
    }
    return heights;
}

TEST(BarAnimationTest, GrowsTwentyTwipsATickAndShowsTheBarOnlyOnceTall)
{
    BarAnimation animation;
    EXPECT_EQ(animation.outerHeight(), 6100.0);
    EXPECT_EQ(animation.clientHeight(), 5370.0);
    animation.setWanted(true);
    ASSERT_EQ(animation.phase(), Phase::Growing);
    for (int tick = 1; tick <= 15; ++tick) {
        animation.growTick();
        EXPECT_EQ(animation.outerHeight(), 6100.0 + 20.0 * tick);
        EXPECT_FALSE(animation.isBarVisible()) << "tick " << tick;
        EXPECT_EQ(animation.phase(), Phase::Growing);
    }
    animation.growTick(); // the tick that finds the bound stops and shows
    EXPECT_EQ(animation.outerHeight(), 6400.0);
    EXPECT_TRUE(animation.isBarVisible());
    EXPECT_EQ(animation.phase(), Phase::Still);
}

TEST(BarAnimationTest, HidesTheBarAtOnceAndThenShrinksToItsBound)
{
    BarAnimation animation;
    animation.startShown();
    EXPECT_EQ(animation.outerHeight(), 6400.0);
    EXPECT_TRUE(animation.isBarVisible());
    EXPECT_EQ(animation.phase(), Phase::Still);

    animation.setWanted(false);
    EXPECT_FALSE(animation.isBarVisible());
    EXPECT_EQ(animation.outerHeight(), 6400.0);
    const std::vector<double> heights = runToRest(animation);
    ASSERT_EQ(heights.size(), 16u);
    EXPECT_EQ(heights.front(), 6380.0);
    EXPECT_EQ(heights[14], 6100.0);
    EXPECT_EQ(heights.back(), 6100.0);
    EXPECT_FALSE(animation.isBarVisible());
}

struct Overlap
{
    const char *name;
    bool startShown;
    int ticksBeforeSecondClick;
    std::vector<bool> laterClicks; // the check mark after each further click, at the same tick
    double endHeight;
    bool barVisible;
};

// A click during a running animation lets it reach its bound; the check mark of the last click
// then decides whether the other animation follows.
TEST(BarAnimationTest, ClickDuringAnAnimationLetsItFinishAndThenFollowsTheCheckMark)
{
    const Overlap cases[] = {
        { "hide while growing", false, 5, { false }, 6100.0, false },
        { "show while shrinking", true, 5, { true }, 6400.0, true },
        { "hide and show again while growing", false, 5, { false, true }, 6400.0, true },
        { "show and hide again while shrinking", true, 5, { true, false }, 6100.0, false },
        { "hide on the tick that reached the bound", false, 15, { false }, 6100.0, false },
    };
    for (const Overlap &c : cases) {
        SCOPED_TRACE(c.name);
        BarAnimation animation;
        if (c.startShown)
            animation.startShown();
        const bool growing = !c.startShown;
        animation.setWanted(growing);
        for (int ticks = 0; ticks < c.ticksBeforeSecondClick; ++ticks)
            tick(animation);
        for (const bool shown : c.laterClicks)
            animation.setWanted(shown);

        // The running animation goes on to its own bound before anything else.
        std::vector<double> heights = runToRest(animation);
        const double firstBound = growing ? 6400.0 : 6100.0;
        ASSERT_FALSE(heights.empty());
        EXPECT_NE(std::find(heights.begin(), heights.end(), firstBound), heights.end());
        for (const double height : heights) {
            EXPECT_GE(height, 6100.0);
            EXPECT_LE(height, 6400.0);
        }
        EXPECT_EQ(animation.outerHeight(), c.endHeight);
        EXPECT_EQ(animation.isBarVisible(), c.barVisible);
    }
}

} // namespace
