// Dialog units to pixels, worked out by hand for two dialog fonts: base units
// 6 x 13 and 7 x 14 (the offscreen test platform's font). A horizontal unit is a
// quarter of the base width, a vertical one an eighth of the base height, each
// product rounded to the nearest pixel with halves away from zero.

#include "app/DialogUnits.h"

#include <gtest/gtest.h>

using namespace hwd;

namespace {

struct Conversion {
    int units;
    int pixels;
};

TEST(DialogUnits, horizontalWithBaseWidthSix)
{
    const DialogUnits units(6, 13);
    // u * 6 / 4: 0, 1.5, 3, 4.5, 10.5, 75, 306, and the same below zero.
    for (const Conversion c : {Conversion{0, 0}, {1, 2}, {2, 3}, {3, 5}, {7, 11}, {50, 75}, {204, 306}, {-1, -2},
                               {-2, -3}, {-3, -5}, {-7, -11}})
        EXPECT_EQ(units.x(c.units), c.pixels) << c.units;
}

TEST(DialogUnits, verticalWithBaseHeightThirteen)
{
    const DialogUnits units(6, 13);
    // u * 13 / 8: 1.625, 6.5, 13, 22.75, 71.5, 287.625.
    for (const Conversion c : {Conversion{0, 0}, {1, 2}, {4, 7}, {8, 13}, {14, 23}, {44, 72}, {177, 288}, {-1, -2},
                               {-4, -7}, {-44, -72}})
        EXPECT_EQ(units.y(c.units), c.pixels) << c.units;
}

TEST(DialogUnits, bothWaysWithBaseUnitsSevenAndFourteen)
{
    const DialogUnits units(7, 14);
    // u * 7 / 4 across and u * 14 / 8 down: the same factor, 1.75.
    for (const Conversion c : {Conversion{1, 2}, {2, 4}, {4, 7}, {14, 25}, {27, 47}, {50, 88}, {79, 138},
                               {150, 263}, {261, 457}, {-2, -4}, {-14, -25}}) {
        EXPECT_EQ(units.x(c.units), c.pixels) << c.units;
        EXPECT_EQ(units.y(c.units), c.pixels) << c.units;
    }
}

TEST(DialogUnits, rectanglesAndSizes)
{
    EXPECT_EQ(DialogUnits(6, 13).rect({204, 44, 50, 14}), (Rect{306, 72, 75, 23}));
    EXPECT_EQ(DialogUnits(7, 14).rect({18, 83, 168, 62}), (Rect{32, 145, 294, 109}));
    EXPECT_EQ(DialogUnits(6, 13).size({261, 177}), (Size{392, 288}));
    EXPECT_EQ(DialogUnits(7, 14).size({329, 233}), (Size{576, 408}));
}

// The 52 letters' width over 52, rounded: half a character and more rounds up.
TEST(DialogUnits, baseWidthFromTheAlphabet)
{
    for (const Conversion c : {Conversion{312, 6}, {337, 6}, {338, 7}, {364, 7}, {385, 7}, {389, 7}, {390, 8},
                               {0, 0}, {25, 0}, {26, 1}, {51, 1}})
        EXPECT_EQ(DialogUnits::baseWidthFromAlphabet(c.units), c.pixels) << c.units;
}

TEST(DialogUnits, keepsItsBaseUnits)
{
    const DialogUnits units(7, 14);
    EXPECT_EQ(units.baseWidth(), 7);
    EXPECT_EQ(units.baseHeight(), 14);
}

} // namespace
