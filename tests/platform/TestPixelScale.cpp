#include "platform/ui/sdl2/PixelScale.h"

#include <gtest/gtest.h>

TEST(PixelScale, TheSettingWinsElseTheDensityDecides) {
    EXPECT_EQ(ChooseScale(3, 96.0f), 3);
    EXPECT_EQ(ChooseScale(1, 300.0f), 1);
    EXPECT_EQ(ChooseScale(0, 96.0f), 1);
    EXPECT_EQ(ChooseScale(0, 191.9f), 1);
    EXPECT_EQ(ChooseScale(0, 192.0f), 2);
    EXPECT_EQ(ChooseScale(0, 0.0f), 1); // unknown density
}

TEST(PixelScale, ScreenPixelsFallInTheWindowPixelThatHoldsThem) {
    EXPECT_EQ(ScaleDown(0, 2), 0);
    EXPECT_EQ(ScaleDown(1, 2), 0);
    EXPECT_EQ(ScaleDown(2, 2), 1);
    EXPECT_EQ(ScaleDown(7, 3), 2);
    // Left of or above a window (while the mouse is captured), rounding
    // toward zero would put two screen pixels into window pixel 0.
    EXPECT_EQ(ScaleDown(-1, 2), -1);
    EXPECT_EQ(ScaleDown(-2, 2), -1);
    EXPECT_EQ(ScaleDown(-3, 2), -2);
    EXPECT_EQ(ScaleDown(-5, 1), -5);
}
