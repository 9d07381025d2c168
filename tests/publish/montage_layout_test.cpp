// The montage geometry shared by the preview and the montage itself.
#include <cmath>
#include <stdexcept>

#include <gtest/gtest.h>

#include "publish/MontageLayout.hpp"

namespace velmora::publish {

std::ostream& operator<<(std::ostream& out, const Place& place)
{
    return out << "(" << place.left << ", " << place.top << ") " << place.width << " x " << place.height;
}

namespace {

constexpr double W = 720;
constexpr double H = 540;

TEST(MontageLayout, OnePictureInTwoColumnsLeavesAnEmptyCellToTheRight)
{
    const MontageLayout layout(1, Arrangement::TwoColumns, W, H, 5);
    EXPECT_EQ(layout.Picture(1), (Place{5, 5, W, H}));
    EXPECT_EQ(layout.Canvas(), (Place{0, 0, 2 * W + 15, H + 10}));
}

TEST(MontageLayout, FivePicturesInTwoColumnsTakeThreeRowsTheFifthAloneAtTheLeft)
{
    const MontageLayout layout(5, Arrangement::TwoColumns, W, H, 4);
    EXPECT_EQ(layout.Rows(), 3);
    EXPECT_EQ(layout.Picture(2), (Place{W + 8, 4, W, H}));
    EXPECT_EQ(layout.Picture(5), (Place{4, 2 * H + 12, W, H}));
    EXPECT_EQ(layout.Canvas().height, 3 * H + 16);
}

TEST(MontageLayout, FourPicturesInThreeColumnsTakeTwoRows)
{
    const MontageLayout layout(4, Arrangement::ThreeColumns, W, H, 3);
    EXPECT_EQ(layout.Picture(3), (Place{2 * W + 9, 3, W, H}));
    EXPECT_EQ(layout.Picture(4), (Place{3, H + 6, W, H}));
    EXPECT_EQ(layout.Canvas(), (Place{0, 0, 3 * W + 12, 2 * H + 9}));
}

TEST(MontageLayout, TwentyFourInOneColumnWithGapFive)
{
    const MontageLayout layout(24, Arrangement::Column, W, H, 5);
    EXPECT_EQ(layout.Canvas(), (Place{0, 0, W + 10, 24 * H + 125}));
    EXPECT_EQ(layout.Picture(24), (Place{5, 23 * H + 120, W, H}));
}

TEST(MontageLayout, OneRowPutsEveryPictureBesideTheLast)
{
    const MontageLayout layout(3, Arrangement::Row, W, H, 2);
    EXPECT_EQ(layout.Rows(), 1);
    EXPECT_EQ(layout.Picture(3), (Place{2 * W + 6, 2, W, H}));
    EXPECT_EQ(layout.Canvas(), (Place{0, 0, 3 * W + 8, H + 4}));
}

TEST(MontageLayout, WithoutGapsPicturesTouch)
{
    const MontageLayout layout(4, Arrangement::TwoColumns, W, H, 0);
    EXPECT_EQ(layout.Picture(4), (Place{W, H, W, H}));
    EXPECT_EQ(layout.Canvas(), (Place{0, 0, 2 * W, 2 * H}));
}

TEST(MontageLayout, RefusesWhatCannotBeLaidOut)
{
    EXPECT_THROW(MontageLayout(0, Arrangement::Column, W, H, 5), std::invalid_argument);
    EXPECT_THROW(MontageLayout(3, 5, W, H, 5), std::invalid_argument);
    EXPECT_THROW(MontageLayout(3, Arrangement::Column, W, H, -1), std::invalid_argument);
    EXPECT_THROW(MontageLayout(3, Arrangement::Column, W, H, 5).Picture(4), std::out_of_range);
}

// Slides of a size that is no whole number of points (A4 at 779.76 x 540):
// every edge lands on a whole point and every gap keeps the border's width.
TEST(MontageLayout, OnWholePointsEveryGapKeepsTheBorderWidth)
{
    const MontageLayout layout(5, Arrangement::ThreeColumns, 779.76, 540.3, 3);
    const Place canvas = OnWholePoints(layout.Canvas());
    EXPECT_EQ(canvas, (Place{0, 0, 2351, 1089}));
    for (int i = 1; i <= 5; ++i) {
        const Place picture = OnWholePoints(layout.Picture(i));
        EXPECT_EQ(picture.left, std::floor(picture.left)) << i;
        EXPECT_EQ(picture.width, std::floor(picture.width)) << i;
        const bool lastInRow = i % 3 == 0;
        if (lastInRow) {
            EXPECT_EQ(picture.left + picture.width + 3, canvas.width) << i;
        } else if (i < 5) {
            EXPECT_EQ(OnWholePoints(layout.Picture(i + 1)).left - (picture.left + picture.width), 3) << i;
        }
    }
    EXPECT_EQ(OnWholePoints(layout.Picture(4)).top + OnWholePoints(layout.Picture(4)).height + 3, canvas.height);
}

TEST(WatermarkPlace, EachCornerMeasuresFromItsOwnEdges)
{
    const Place picture{100, 50, W, H};
    EXPECT_EQ(WatermarkPlace(picture, 120, 40, WatermarkCorner::TopRight, 10),
              (Place{100 + W - 130, 60, 120, 40}));
    EXPECT_EQ(WatermarkPlace(picture, 120, 40, WatermarkCorner::BottomCentre, 10),
              (Place{100 + W / 2 - 60, 50 + H - 50, 120, 40}));
    EXPECT_EQ(WatermarkPlace(picture, 120, 40, WatermarkCorner::BottomRight, 10),
              (Place{100 + W - 130, 50 + H - 50, 120, 40}));
}

TEST(WatermarkPlace, AWatermarkWiderThanItsPictureStartsLeftOfIt)
{
    const Place picture{5, 5, 64, 48};
    EXPECT_EQ(WatermarkPlace(picture, 100, 12, WatermarkCorner::BottomRight, 2).left, 5 + 64 - 100 - 2);
    EXPECT_EQ(WatermarkPlace(picture, 100, 12, WatermarkCorner::BottomCentre, 2).left, 5 + 32 - 50);
}

TEST(PreviewScale, BorderTwentyGivesGapsOfTwoAndAHalfPoints)
{
    const double gap = 20 * PreviewScale::kGapPerBorderPoint;
    const MontageLayout layout(PreviewScale::Thumbnails(Arrangement::ThreeColumns), Arrangement::ThreeColumns,
                               PreviewScale::kWidth, PreviewScale::kHeight, gap);
    EXPECT_EQ(layout.Picture(2).left - (layout.Picture(1).left + 64), 2.5);
    EXPECT_EQ(layout.Canvas(), (Place{0, 0, 4 * 2.5 + 192, 4 * 2.5 + 144}));
}

TEST(PreviewScale, ShowsAFixedNumberOfThumbnailsPerArrangement)
{
    EXPECT_EQ(PreviewScale::Thumbnails(Arrangement::Column), 3);
    EXPECT_EQ(PreviewScale::Thumbnails(Arrangement::Row), 3);
    EXPECT_EQ(PreviewScale::Thumbnails(Arrangement::TwoColumns), 6);
    EXPECT_EQ(PreviewScale::Thumbnails(Arrangement::ThreeColumns), 9);
    const MontageLayout row(3, Arrangement::Row, 64, 48, 0);
    EXPECT_EQ(row.Picture(2).left, row.Picture(1).left + 64);
    EXPECT_EQ(row.Canvas(), (Place{0, 0, 192, 48}));
}

}  // namespace
}  // namespace velmora::publish
