// The arithmetic of the wave picture and of the pen, with numbers worked out by
// hand, mostly for a client area of 384 x 300 pixels (three pixels a sample).

#include "tests/support/CaseNames.h"
#include "app/WaveViewGeometry.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

using namespace hwd;

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

using namespace WaveViewGeometry;

TEST(WaveViewGeometry, verticalExtentByFamilyAndEditMode)
{
    EXPECT_EQ(verticalExtent(true, false), 68535);  // the main picture, with a margin
    EXPECT_EQ(verticalExtent(true, true), 65535);   // the editor, full scale
    EXPECT_EQ(verticalExtent(false, false), 32767); // values halved
    EXPECT_EQ(verticalExtent(false, true), 32767);
}

TEST(WaveViewGeometry, displayedValueHalvedTowardZeroOutsideTheNtFamily)
{
    struct Row {
        int sample;
        int nt;
        int older;
    };
    for (const Row row : {Row{0, 0, 0}, {3, 3, 1}, {-3, -3, -1}, {-1, -1, 0}, {-327, -327, -163},
                          {32767, 32767, 16383}, {-32768, -32768, -16384}, {-32767, -32767, -16383}}) {
        EXPECT_EQ(displayedValue(row.sample, true), row.nt) << row.sample;
        EXPECT_EQ(displayedValue(row.sample, false), row.older) << row.sample;
    }
}

TEST(WaveViewGeometry, markNearTheTopLeftCorner)
{
    EXPECT_EQ(markAnchor(true), (Point{3, 32767}));
    EXPECT_EQ(markAnchor(false), (Point{3, 16383}));
}

TEST(WaveViewGeometryMapping, columnsOfThreePixelsASample)
{
    const Mapping mapping(384, 300, 68535);
    EXPECT_EQ(mapping.column(0), 0);
    EXPECT_EQ(mapping.column(1), 3);
    EXPECT_EQ(mapping.column(40), 120);
    EXPECT_EQ(mapping.column(128), 384);
}

TEST(WaveViewGeometryMapping, columnsRoundedWhenSamplesAreNotWholePixels)
{
    // x * 100 / 128: 0.78, 1.56, 2.34, 3.91, 50, 99.22, 100.
    const Mapping mapping(100, 62, 68535);
    EXPECT_EQ(mapping.column(1), 1);
    EXPECT_EQ(mapping.column(2), 2);
    EXPECT_EQ(mapping.column(3), 2);
    EXPECT_EQ(mapping.column(5), 4);
    EXPECT_EQ(mapping.column(64), 50);
    EXPECT_EQ(mapping.column(127), 99);
    EXPECT_EQ(mapping.column(128), 100);
}

TEST(WaveViewGeometryMapping, rowsAroundTheMiddleRow)
{
    // With the margin: 32767 * 300 / 68535 = 143.43, 20000 * 300 / 68535 = 87.55.
    const Mapping viewing(384, 300, 68535);
    EXPECT_EQ(viewing.centreRow(), 150);
    EXPECT_EQ(viewing.row(0), 150);
    EXPECT_EQ(viewing.row(32767), 7);
    EXPECT_EQ(viewing.row(-32768), 293);
    EXPECT_EQ(viewing.row(20000), 62);
    // Full scale: 32767 and -32768 on the edges; 20000 * 300 / 65535 = 91.55.
    const Mapping editing(384, 300, 65535);
    EXPECT_EQ(editing.row(32767), 0);
    EXPECT_EQ(editing.row(-32768), 300);
    EXPECT_EQ(editing.row(-20000), 242);
    // Halved values on the older family: -10000 * 300 / 32767 = -91.55.
    EXPECT_EQ(Mapping(384, 300, 32767).row(-10000), 242);
    EXPECT_EQ(Mapping(384, 300, 32767).row(16383), 0);
}

TEST(WaveViewGeometryMapping, oddHeightTruncatesTheMiddleRow)
{
    const Mapping mapping(384, 301, 65535);
    EXPECT_EQ(mapping.centreRow(), 150);
    EXPECT_EQ(mapping.row(0), 150);
}

TEST(WaveViewGeometryMapping, barsFromTheCentreLine)
{
    const Mapping viewing(384, 300, 68535);
    EXPECT_EQ(viewing.bar(40, 20000), (Rect{120, 62, 3, 88}));
    EXPECT_EQ(viewing.bar(0, 32767), (Rect{0, 7, 3, 143}));
    EXPECT_EQ(viewing.bar(127, -32768), (Rect{381, 150, 3, 143}));
    EXPECT_EQ(viewing.bar(5, 0), (Rect{15, 150, 3, 0}));
    const Mapping editing(384, 300, 65535);
    EXPECT_EQ(editing.bar(40, -20000), (Rect{120, 150, 3, 92}));
    // Samples one or two pixels wide where 128 does not divide the width:
    // columns 1.56, 3.13 and 4.69 round to 2, 3 and 5.
    const Mapping uneven(200, 62, 65535);
    EXPECT_EQ(uneven.bar(1, 32767), (Rect{2, 0, 1, 31}));
    EXPECT_EQ(uneven.bar(2, -32767), (Rect{3, 31, 2, 31}));
    // Narrower than 128 pixels some samples get no column: 2.34 rounds to 2.
    EXPECT_EQ(Mapping(100, 62, 65535).bar(2, 32767), (Rect{2, 0, 0, 31}));
}

struct Pen {
    const char* name;
    Point point;
    Size client;
    std::size_t index;
    int value;
};

class PenTargets : public ::testing::TestWithParam<Pen> {};

TEST_P(PenTargets, sampleAndValue)
{
    const Pen& row = GetParam();
    const std::optional<PenTarget> target = penTarget(row.point, row.client);
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->index, row.index);
    EXPECT_EQ(target->value, row.value);
}

constexpr Size client{384, 300};

INSTANTIATE_TEST_SUITE_P(
    Rows, PenTargets,
    ::testing::Values(
        // The worked example: index (x / 384) * 128, value ((300 - y) / 300) *
        // 65535 - 32767, each truncated toward zero.
        Pen{"x2IsSample0", {2, 150}, client, 0, 0}, Pen{"x3IsSample1", {3, 150}, client, 1, 0},
        Pen{"x383IsSample127", {383, 150}, client, 127, 0}, Pen{"row1", {200, 1}, client, 66, 32549},
        Pen{"row299", {200, 299}, client, 66, -32548},
        Pen{"rowBelowTheClientArea", {200, 300}, client, 66, -32767},
        // The sunken edge and beyond: the nearest sample, values in range.
        Pen{"leftEdge", {-1, 150}, client, 0, 0}, Pen{"rightEdge", {384, 299}, client, 127, -32548},
        Pen{"farRight", {1000, 150}, client, 127, 0}, Pen{"farLeft", {-50, 1}, client, 0, 32549},
        Pen{"topRowWouldBe32768", {200, 0}, client, 66, 32767}, Pen{"topEdge", {200, -1}, client, 66, 32767},
        Pen{"farAbove", {200, -1000}, client, 66, 32767},
        Pen{"belowTheBottomEdge", {200, 301}, client, 66, -32768},
        Pen{"farBelow", {200, 10000}, client, 66, -32768},
        // Narrower than 128 pixels the left edge would give index -1.
        Pen{"narrowLeftEdge", {-1, 31}, {100, 62}, 0, 0}, Pen{"narrowRightEdge", {100, 31}, {100, 62}, 127, 0},
        Pen{"narrowBottomRow", {50, 61}, {100, 62}, 64, -31709}),
    CaseNames::byName);

TEST(PenTarget, nothingForAnEmptyClientArea)
{
    EXPECT_FALSE(penTarget({0, 0}, {0, 300}).has_value());
    EXPECT_FALSE(penTarget({0, 0}, {384, 0}).has_value());
    EXPECT_FALSE(penTarget({5, 5}, {-3, 10}).has_value());
}

TEST(PenStrip, sixColumnsAroundThePointClipped)
{
    EXPECT_EQ(penStrip(100, client), (Rect{97, 0, 6, 300}));
    EXPECT_EQ(penStrip(3, client), (Rect{0, 0, 6, 300}));
    EXPECT_EQ(penStrip(1, client), (Rect{0, 0, 4, 300}));
    EXPECT_EQ(penStrip(-1, client), (Rect{0, 0, 2, 300}));
    EXPECT_EQ(penStrip(381, client), (Rect{378, 0, 6, 300}));
    EXPECT_EQ(penStrip(383, client), (Rect{380, 0, 4, 300}));
    EXPECT_EQ(penStrip(384, client), (Rect{381, 0, 3, 300}));
    EXPECT_EQ(penStrip(1000, client).width, 0);
    EXPECT_EQ(penStrip(-50, client).width, 0);
}

} // namespace
