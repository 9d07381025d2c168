// Scaling a picture down by areas, as pictures are painted again exactly.
#include "render/Resample.hpp"

#include <gtest/gtest.h>

namespace velmora::render {
namespace {

Raster Filled(PixelBox box, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    Raster raster{box, {}};
    for (int i = 0; i < box.width * box.height; ++i) {
        raster.rgb.insert(raster.rgb.end(), {red, green, blue});
    }
    return raster;
}

TEST(Resample, OneColourStaysExactlyThatColourAtAnyScale)
{
    const Raster source = Filled({720, 540}, 19, 20, 128);
    for (const PixelBox box : {PixelBox{357, 267}, PixelBox{720, 540}, PixelBox{1, 1}, PixelBox{719, 3}}) {
        const Raster scaled = Resampled(source, box);
        ASSERT_EQ(scaled.rgb.size(), static_cast<std::size_t>(box.width * box.height * 3));
        EXPECT_EQ(scaled.rgb, Filled(box, 19, 20, 128).rgb) << box.width << " x " << box.height;
    }
}

TEST(Resample, EachPixelIsTheMeanOfTheAreaItCoversWeightedByHowMuchOfEachItTakes)
{
    // Three columns (0, 90, 255) into two: the first takes column 0 whole and half of column 1.
    Raster source{{3, 1}, {0, 0, 0, 90, 90, 90, 255, 255, 255}};
    const Raster scaled = Resampled(source, {2, 1});
    EXPECT_EQ(scaled.rgb, (std::vector<std::uint8_t>{30, 30, 30, 200, 200, 200}));
    // Two rows into one.
    source = {{1, 2}, {10, 20, 30, 30, 40, 51}};
    EXPECT_EQ(Resampled(source, {1, 1}).rgb, (std::vector<std::uint8_t>{20, 30, 41}));
}

}  // namespace
}  // namespace velmora::render
