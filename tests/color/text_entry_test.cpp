#include <gtest/gtest.h>

#include <string_view>

#include "color/ColorBoxEntry.hpp"
#include "color/ColorText.hpp"

namespace velmora::color {
namespace {

TEST(ColorText, ChannelAndViewLines)
{
    EXPECT_EQ(CommaText(ColorRGB{255, 128, 0}), "255,128,0");
    EXPECT_EQ(CommaText(ColorHSB{30, 100, 100}), "30,100,100");
    EXPECT_EQ(CommaText(ColorHSL{0, 0, 0}), "0,0,0");
}

TEST(ColorText, ToolTipShowsTheWindowsHSLView)
{
    EXPECT_EQ(HslToolTip(RGB(0, 0, 255)), "Windows HSL: 160,240,120");
    EXPECT_EQ(HslToolTip(RGB(255, 255, 255)), "Windows HSL: 0,0,240");
}

TEST(ColorText, HexReadsBlueGreenRedWithoutLeadingZeros)
{
    EXPECT_EQ(HexText(RGB(255, 0, 0)), "FF");
    EXPECT_EQ(HexText(RGB(0, 0, 255)), "FF0000");
    EXPECT_EQ(HexText(RGB(255, 128, 0)), "80FF");
    EXPECT_EQ(HexText(RGB(171, 205, 239)), "EFCDAB");
    EXPECT_EQ(HexText(RGB(255, 255, 255)), "FFFFFF");
    EXPECT_EQ(HexText(0), "0");
}

TEST(ColorBoxEntry, KeyFilterLetsOnlyDigitsAndBackspaceIn)
{
    for (char digit = '0'; digit <= '9'; ++digit) {
        EXPECT_TRUE(ColorBoxKeyPasses(digit)) << digit;
    }
    EXPECT_TRUE(ColorBoxKeyPasses(8));
    for (const char key : {'a', 'Z', '-', '+', '.', ',', ' ', '/', ':'}) {
        EXPECT_FALSE(ColorBoxKeyPasses(key)) << key;
    }
    EXPECT_FALSE(ColorBoxKeyPasses(13));  // Enter fails the lower bound
    EXPECT_FALSE(ColorBoxKeyPasses(9));
}

// Types keys one by one into a box of at most three characters, as the
// box and its key handlers would, and returns the last key release.
ColorBoxEntry TypeKeys(std::string_view keys, int barMax)
{
    ColorBoxEntry entry;
    for (const char key : keys) {
        if (ColorBoxKeyPasses(key) && entry.text.size() < kColorBoxMaxLength) {
            entry.text += key;
        }
        entry = ColorBoxKeyUp(entry.text, barMax);
    }
    return entry;
}

TEST(ColorBoxEntry, TypingSetsTheBarAndCapsThreeDigitsAtTheMaximum)
{
    const ColorBoxEntry over = TypeKeys("300", 255);
    EXPECT_EQ(over.text, "255");
    EXPECT_EQ(over.barValue, 255);
    const ColorBoxEntry typed = TypeKeys("99", 255);
    EXPECT_EQ(typed.text, "99");
    EXPECT_EQ(typed.barValue, 99);
    EXPECT_EQ(TypeKeys("1-2.5", 255).text, "125");
    EXPECT_EQ(TypeKeys("9999", 360).text, "360");
}

TEST(ColorBoxEntry, ThreeDigitsAboveTheMaximumBecomeTheMaximum)
{
    const ColorBoxEntry hue = ColorBoxKeyUp("361", 360);
    EXPECT_EQ(hue.text, "360");
    EXPECT_EQ(hue.barValue, 360);
    const ColorBoxEntry atMax = ColorBoxKeyUp("360", 360);
    EXPECT_EQ(atMax.text, "360");
    EXPECT_EQ(atMax.barValue, 360);
    EXPECT_EQ(ColorBoxKeyUp("150", 100).text, "100");
}

TEST(ColorBoxEntry, ShorterEntriesSetTheBarAsTyped)
{
    EXPECT_EQ(ColorBoxKeyUp("9", 255).barValue, 9);
    EXPECT_EQ(ColorBoxKeyUp("99", 50).barValue, 99);  // only three characters are capped
    EXPECT_EQ(ColorBoxKeyUp("", 255).barValue, 0);
    EXPECT_EQ(ColorBoxKeyUp("", 255).text, "");
    EXPECT_EQ(ColorBoxKeyUp("007", 255).barValue, 7);
    EXPECT_EQ(ColorBoxKeyUp("12x", 255).barValue, 12);  // pasted text reads up to its first non-digit
}

TEST(ColorBoxEntry, BoxBelongsToTheBarWithItsLastDigit)
{
    EXPECT_EQ(ScrollBarOfBox("TextBox1"), "ScrollBar1");
    EXPECT_EQ(ScrollBarOfBox("TextBox6"), "ScrollBar6");
}

}  // namespace
}  // namespace velmora::color
