// Where the dialogs open: centred over their owner or on the work area, then
// kept inside the work area with the left and top edges winning.

#include "tests/support/CaseNames.h"
#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

using namespace hwd;

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

struct Centring {
    const char* name;
    Rect area;
    Size size;
    Point topLeft;
};

class CentredOn : public ::testing::TestWithParam<Centring> {};

TEST_P(CentredOn, midpointLessHalfTheSize)
{
    const Centring& row = GetParam();
    EXPECT_EQ(WindowPlacement::centredOn(row.area, row.size), row.topLeft);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CentredOn,
    ::testing::Values(Centring{"even", {0, 0, 800, 600}, {400, 200}, {200, 200}},
                      Centring{"oddArea", {0, 0, 801, 601}, {400, 200}, {200, 200}},
                      // Each half truncated on its own.
                      Centring{"oddWindow", {0, 0, 800, 600}, {401, 201}, {200, 200}},
                      Centring{"offsetArea", {100, 50, 400, 300}, {100, 100}, {250, 150}},
                      Centring{"largerThanTheArea", {0, 0, 200, 200}, {300, 300}, {-50, -50}},
                      // A screen left of and above the primary one: halves
                      // truncated toward zero, -401 / 2 = -200.
                      Centring{"negativeArea", {-301, -201, 201, 101}, {100, 50}, {-250, -175}}),
    CaseNames::byName);

struct Keeping {
    const char* name;
    Point topLeft;
    Size size;
    Point expected;
};

class KeptInside : public ::testing::TestWithParam<Keeping> {};

TEST_P(KeptInside, workAreaOfEightHundredBySixHundred)
{
    const Keeping& row = GetParam();
    EXPECT_EQ(WindowPlacement::keptInside(row.topLeft, row.size, {0, 0, 800, 600}), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeptInside,
    ::testing::Values(Keeping{"alreadyInside", {10, 10}, {200, 100}, {10, 10}},
                      Keeping{"touchingTheBottomRight", {600, 500}, {200, 100}, {600, 500}},
                      Keeping{"pastTheRight", {700, 10}, {200, 100}, {600, 10}},
                      Keeping{"pastTheBottom", {10, 550}, {200, 100}, {10, 500}},
                      Keeping{"pastTheLeftAndTop", {-30, -5}, {200, 100}, {0, 0}},
                      Keeping{"tooBigLeftAndTopWin", {-100, -100}, {1000, 900}, {0, 0}},
                      Keeping{"tooBigPushedFromTheRight", {300, 300}, {1000, 900}, {0, 0}}),
    CaseNames::byName);

TEST(KeptInside, offsetWorkArea)
{
    // A panel of 32 pixels along the top.
    const Rect workArea{0, 32, 1280, 992};
    EXPECT_EQ(WindowPlacement::keptInside({-10, 0}, {400, 300}, workArea), (Point{0, 32}));
    EXPECT_EQ(WindowPlacement::keptInside({1000, 900}, {400, 300}, workArea), (Point{880, 724}));
}

struct Placing {
    const char* name;
    std::optional<Rect> owner;
    Size window;
    Point topLeft;
};

class Place : public ::testing::TestWithParam<Placing> {};

// A work area of 1280 x 992 below a 32-pixel panel.
TEST_P(Place, overTheOwnerOrOnTheWorkArea)
{
    const Placing& row = GetParam();
    EXPECT_EQ(WindowPlacement::place(row.window, row.owner, {0, 32, 1280, 992}), row.topLeft);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Place,
    ::testing::Values(Placing{"overTheOwner", Rect{120, 90, 560, 420}, {400, 300}, {200, 150}},
                      Placing{"noOwnerToSee", std::nullopt, {401, 301}, {440, 378}},
                      Placing{"ownerNearTheBottomRight", Rect{1100, 900, 400, 300}, {400, 300}, {880, 724}},
                      Placing{"ownerOffTheTopLeft", Rect{-500, -400, 400, 300}, {400, 300}, {0, 32}},
                      Placing{"largerThanTheWorkArea", std::nullopt, {1400, 1100}, {0, 32}}),
    CaseNames::byName);

} // namespace
