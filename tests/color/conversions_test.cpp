#include <gtest/gtest.h>

#include "color/RuntimeArithmetic.hpp"
#include "color/md_ColorPicker.hpp"
#include "color/md_SetColor.hpp"

namespace velmora::color {
namespace {

constexpr host::Color kRed = 255;
constexpr host::Color kGreen = 255 * 256;
constexpr host::Color kBlue = 255 * 65536;
constexpr host::Color kWhite = 16777215;
constexpr host::Color kGrey = 128 + 128 * 256 + 128 * 65536;
constexpr host::Color kOrange = 255 + 128 * 256;

TEST(RuntimeArithmetic, RoundsHalvesToEven)
{
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(2.500001), 3);
    EXPECT_EQ(ToInt16(127.5), 128);
    EXPECT_EQ(ToInt16(126.5), 126);
}

TEST(RuntimeArithmetic, ModRoundsOperandsAndKeepsTheDividendsSign)
{
    EXPECT_EQ(Mod(7, 3), 1);
    EXPECT_EQ(Mod(-7, 3), -1);
    EXPECT_EQ(Mod(7, -3), 1);
    EXPECT_EQ(Mod(-72 + 0 + 360, 360), 288);
    EXPECT_EQ(Mod(398.5, 360), 38);  // 398.5 rounds to 398
    EXPECT_EQ(Mod(399.5, 360), 40);  // 399.5 rounds to 400
    EXPECT_EQ(Mod(10, 2.5), 0);      // the divisor rounds to 2
}

TEST(SplitColor, TakesTheChannelsFromTheLowByteUp)
{
    EXPECT_EQ(SplitColor(kOrange), (ColorRGB{255, 128, 0}));
    EXPECT_EQ(SplitColor(kBlue), (ColorRGB{0, 0, 255}));
    EXPECT_EQ(SplitColor(kWhite), (ColorRGB{255, 255, 255}));
    EXPECT_EQ(SplitColor(0), (ColorRGB{0, 0, 0}));
    EXPECT_EQ(RGB(SplitColor(0x123456)), 0x123456);
    EXPECT_EQ(RGB(51, 102, 153), 51 + 102 * 256 + 153 * 65536);
}

TEST(RGBtoHSB, PureHuesGreysBlackAndWhite)
{
    EXPECT_EQ(RGBtoHSB(kRed), (ColorHSB{0, 100, 100}));
    EXPECT_EQ(RGBtoHSB(kGreen), (ColorHSB{120, 100, 100}));
    EXPECT_EQ(RGBtoHSB(kBlue), (ColorHSB{240, 100, 100}));
    EXPECT_EQ(RGBtoHSB(kGrey), (ColorHSB{0, 0, 50}));  // 12800 / 255 truncates to 50
    EXPECT_EQ(RGBtoHSB(kWhite), (ColorHSB{0, 0, 100}));
    EXPECT_EQ(RGBtoHSB(0), (ColorHSB{0, 0, 0}));
}

TEST(RGBtoHSB, TruncatesSaturationAndBrightness)
{
    EXPECT_EQ(RGBtoHSB(RGB(51, 102, 153)), (ColorHSB{210, 66, 60}));  // S is 66.7
    EXPECT_EQ(RGBtoHSB(RGB(255, 128, 0)), (ColorHSB{30, 100, 100}));
    EXPECT_EQ(RGBtoHSB(RGB(254, 0, 0)).B, 99);                         // 99.6
}

TEST(RGBtoHSB, HueWrapsBelowRedAndMayRoundTo360)
{
    EXPECT_EQ(RGBtoHSB(RGB(255, 0, 128)).H, 330);  // blue above green: 360 is added
    EXPECT_EQ(RGBtoHSB(RGB(255, 0, 1)).H, 360);    // 359.76
    EXPECT_EQ(RGBtoHSB(RGB(255, 1, 0)).H, 0);
}

TEST(RGBtoHSB, HueHalvesGoToEven)
{
    // With max - min = 120 each unit of G - B is half a degree.
    EXPECT_EQ(RGBtoHSB(RGB(120, 1, 0)).H, 0);
    EXPECT_EQ(RGBtoHSB(RGB(120, 3, 0)).H, 2);
    EXPECT_EQ(RGBtoHSB(RGB(120, 5, 0)).H, 2);
}

TEST(RGBtoHSB, TiesBetweenChannelsPickRedThenGreen)
{
    EXPECT_EQ(RGBtoHSB(RGB(255, 255, 0)).H, 60);   // red and green both max: red's formula
    EXPECT_EQ(RGBtoHSB(RGB(255, 0, 255)).H, 300);  // red and blue: red's formula, wrapped
    EXPECT_EQ(RGBtoHSB(RGB(0, 255, 255)).H, 180);  // green and blue: green's formula
}

TEST(PickerRGBtoHSB, StoresTheSampleInTheModuleState)
{
    md_ColorPicker picker;
    picker.PickerRGBtoHSB(255, 128, 0);
    EXPECT_EQ(picker.PickedHue, 30);
    EXPECT_EQ(picker.PickedSat, 100);
    EXPECT_EQ(picker.PickedBri, 100);
    picker.PickerRGBtoHSB(128, 128, 128);  // every field is overwritten, hue too
    EXPECT_EQ(picker.PickedHue, 0);
    EXPECT_EQ(picker.PickedSat, 0);
    EXPECT_EQ(picker.PickedBri, 50);
}

TEST(RGBtoHSL, PureHuesGreysBlackAndWhite)
{
    EXPECT_EQ(RGBtoHSL(kRed), (ColorHSL{0, 240, 120}));
    EXPECT_EQ(RGBtoHSL(kGreen), (ColorHSL{80, 240, 120}));
    EXPECT_EQ(RGBtoHSL(kBlue), (ColorHSL{160, 240, 120}));
    EXPECT_EQ(RGBtoHSL(kGrey), (ColorHSL{0, 0, 120}));
    EXPECT_EQ(RGBtoHSL(kWhite), (ColorHSL{0, 0, 240}));
    EXPECT_EQ(RGBtoHSL(0), (ColorHSL{0, 0, 0}));
}

TEST(RGBtoHSL, MixedColours)
{
    EXPECT_EQ(RGBtoHSL(kOrange), (ColorHSL{20, 240, 120}));
    EXPECT_EQ(RGBtoHSL(RGB(255, 0, 128)).H, 220);  // negative hue wrapped by 240
    EXPECT_EQ(RGBtoHSL(RGB(51, 102, 153)), (ColorHSL{140, 120, 96}));
}

TEST(HSLtoRGB, InvertsThePrimariesAndTheOrange)
{
    EXPECT_EQ(HSLtoRGB(0, 240, 120), (ColorRGB{255, 0, 0}));
    EXPECT_EQ(HSLtoRGB(80, 240, 120), (ColorRGB{0, 255, 0}));
    EXPECT_EQ(HSLtoRGB(160, 240, 120), (ColorRGB{0, 0, 255}));
    EXPECT_EQ(HSLtoRGB(240, 240, 120), (ColorRGB{255, 0, 0}));  // 240 is hue 0 again
    EXPECT_EQ(HSLtoRGB(20, 240, 120), (ColorRGB{255, 128, 0}));
}

TEST(HSLtoRGB, GreysRoundHalvesToEven)
{
    EXPECT_EQ(HSLtoRGB(0, 0, 120), (ColorRGB{128, 128, 128}));  // 127.5
    EXPECT_EQ(HSLtoRGB(0, 0, 240), (ColorRGB{255, 255, 255}));
    EXPECT_EQ(HSLtoRGB(0, 0, 0), (ColorRGB{0, 0, 0}));
}

TEST(HSLtoRGB, ScalesTheChannelInSinglePrecision)
{
    // t2 = 0.1 becomes 0.1f, and 0.1f * 255 rounds to exactly 25.5 in
    // single precision, so red goes to the even 26 (in double it is 25).
    EXPECT_EQ(HSLtoRGB(0, 48, 20), (ColorRGB{26, 17, 17}));
}

TEST(HueToRGB, WrapsTheHueAndFollowsItsFourSegments)
{
    EXPECT_FLOAT_EQ(HueToRGB(0.0F, 1.0F, 0.1F), 0.6F);      // rising
    EXPECT_FLOAT_EQ(HueToRGB(0.0F, 1.0F, 0.3F), 1.0F);      // top
    EXPECT_FLOAT_EQ(HueToRGB(0.0F, 1.0F, 0.5F), 1.0F);
    EXPECT_FLOAT_EQ(HueToRGB(0.0F, 1.0F, 0.6F), 0.4F);      // falling
    EXPECT_FLOAT_EQ(HueToRGB(0.0F, 1.0F, 0.8F), 0.0F);      // bottom
    EXPECT_FLOAT_EQ(HueToRGB(0.0F, 1.0F, -0.9F), 0.6F);     // wrapped up by 1
    EXPECT_FLOAT_EQ(HueToRGB(0.0F, 1.0F, 1.1F), 0.6F);      // wrapped down by 1
    EXPECT_FLOAT_EQ(HueToRGB(0.25F, 0.75F, 0.0F), 0.25F);
}

TEST(HSBtoRGB, PrimariesAndTheFullCircle)
{
    EXPECT_EQ(HSBtoRGB(0, 100, 100), (ColorRGB{255, 0, 0}));
    EXPECT_EQ(HSBtoRGB(360, 100, 100), (ColorRGB{255, 0, 0}));
    EXPECT_EQ(HSBtoRGB(120, 100, 100), (ColorRGB{0, 255, 0}));
    EXPECT_EQ(HSBtoRGB(240, 100, 100), (ColorRGB{0, 0, 255}));
    EXPECT_EQ(HSBtoRGB(300, 100, 100), (ColorRGB{255, 0, 255}));
    EXPECT_EQ(HSBtoRGB(30, 100, 100), (ColorRGB{255, 128, 0}));
}

TEST(HSBtoRGB, GreysAndLossyRoundTrips)
{
    EXPECT_EQ(HSBtoRGB(0, 0, 50), (ColorRGB{128, 128, 128}));  // 127.5
    EXPECT_EQ(HSBtoRGB(200, 0, 100), (ColorRGB{255, 255, 255}));
    EXPECT_EQ(HSBtoRGB(0, 0, 0), (ColorRGB{0, 0, 0}));
    EXPECT_EQ(HSBtoRGB(210, 66, 60), (ColorRGB{52, 103, 153}));
    EXPECT_EQ(HSBtoRGB(40, 40, 100), (ColorRGB{255, 221, 153}));
}

TEST(HSBtoRGB, WorksInSinglePrecision)
{
    // In single precision (1 - 0.7f) * 255 is exactly 76.5, giving the even
    // 76, and (1 - 0.9f) * 255 lies just above 25.5; double gives 77 and 25.
    EXPECT_EQ(HSBtoRGB(0, 70, 100), (ColorRGB{255, 76, 76}));
    EXPECT_EQ(HSBtoRGB(0, 90, 100), (ColorRGB{255, 26, 26}));
}

}  // namespace
}  // namespace velmora::color
