#include "logic/icon_motion.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

namespace {

struct MotionCase
{
    const char *rule;
    float startTop;
    int ticks;
    float top;
    bool movingDown;
};

void PrintTo(const MotionCase &c, std::ostream *out)
{
    *out << c.rule;
}

class IconMotionTest : public ::testing::TestWithParam<MotionCase>
{
};

TEST_P(IconMotionTest, MovesTenTwipsATickAndTurnsAtTheBounds)
{
    const MotionCase &c = GetParam();
    IconMotion motion(c.startTop);
    for (int tick = 0; tick < c.ticks; ++tick)
        motion.advance();
    EXPECT_EQ(motion.topTwips(), c.top) << c.rule;
    EXPECT_EQ(motion.movingDown(), c.movingDown) << c.rule;
}

// From the design position, 425 ticks reach the upper bound and 425 more the lower one.
INSTANTIATE_TEST_SUITE_P(Turns, IconMotionTest,
    ::testing::Values(MotionCase { "starts at rest moving down", 500, 0, 500, true },
        MotionCase { "a tick moves down by a step", 500, 1, 510, true },
        MotionCase { "reaching the upper bound turns up", 500, 425, 4750, false },
        MotionCase { "after the upper turn it moves up", 500, 426, 4740, false },
        MotionCase { "reaching the lower bound turns down", 500, 850, 500, true },
        MotionCase { "after the lower turn it moves down again", 500, 851, 510, true },
        MotionCase { "a position past the upper bound turns at once", 4800, 1, 4810, false },
        MotionCase { "fractions of a twip are kept, not rounded", 500.25f, 3, 530.25f, true }),
    [](const ::testing::TestParamInfo<MotionCase> &info) {
        std::string name = info.param.rule;
        for (char &c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

} // namespace
