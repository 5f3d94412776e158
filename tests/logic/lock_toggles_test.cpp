#include "logic/lock_toggles.h"

#include <gtest/gtest.h>

// Caps Lock, held while the program starts, repeats its key-downs until it comes up.
TEST(LockTogglesTest, OnlyANewPressFlipsTheToggle)
{
    LockToggles toggles;
    toggles.seed(1, false, true);
    EXPECT_FALSE(toggles.press(1));
    toggles.release(1);
    EXPECT_TRUE(toggles.press(1));
    EXPECT_FALSE(toggles.press(1)); // the keyboard repeats the new press
    EXPECT_TRUE(toggles.isOn(1));
}
