#include "publish/PixelBox.hpp"

#include <gtest/gtest.h>

namespace velmora::publish {
namespace {

TEST(LongEdgeBox, TheChosenLengthIsTheLongEdgeAndTheShortOneDropsItsFraction)
{
    EXPECT_EQ(LongEdgeBox(720, 540, 1280), (PixelBox{1280, 960}));
    EXPECT_EQ(LongEdgeBox(960, 540, 1400), (PixelBox{1400, 787}));
    EXPECT_EQ(LongEdgeBox(540, 720, 1280), (PixelBox{960, 1280}));
    EXPECT_EQ(LongEdgeBox(540, 960, 1400), (PixelBox{787, 1400}));
}

TEST(LongEdgeBox, ASlideNotWiderThanHighCountsAsHigh)
{
    EXPECT_EQ(LongEdgeBox(600, 600, 2048), (PixelBox{2048, 2048}));
    EXPECT_EQ(LongEdgeBox(599.9f, 600, 960), (PixelBox{959, 960}));
}

}  // namespace
}  // namespace velmora::publish
