#include <string_view>

#include <gtest/gtest.h>

#include "font/NamePattern.hpp"
#include "font/RuntimeConversion.hpp"

namespace velmora::font {
namespace {

TEST(NamePattern, StarTakesAnyRunAndEverythingElseMatchesExactly)
{
    EXPECT_TRUE(MatchesPattern("Title 1", "*Title*"));
    EXPECT_TRUE(MatchesPattern("Title", "*Title*"));
    EXPECT_TRUE(MatchesPattern("Vertical Title 3", "*Title*"));
    EXPECT_FALSE(MatchesPattern("Subtitle 2", "*Title*")) << "case matters";
    EXPECT_TRUE(MatchesPattern("标题 1", "标题*"));
    EXPECT_FALSE(MatchesPattern("副标题 2", "标题*")) << "the pattern is anchored at the start";
    EXPECT_TRUE(MatchesPattern("页脚占位符 3", "*页脚占位符*"));
    EXPECT_TRUE(MatchesPattern("Footer Placeholder 3", "*Footer*"));
    EXPECT_FALSE(MatchesPattern("Table", "Tab"));
    EXPECT_TRUE(MatchesPattern("Table", "Table"));
    EXPECT_TRUE(MatchesPattern("", "*"));
    EXPECT_TRUE(MatchesPattern("a-b-c", "a*b*c"));
    EXPECT_FALSE(MatchesPattern("a-b-", "a*b*c"));
    EXPECT_TRUE(MatchesPattern("Slide Number Placeholder 5", "*Slide Number*"));
    EXPECT_FALSE(MatchesPattern("Slide number 5", "*Slide Number*"));
}

TEST(RuntimeConversion, NumbersAsTheRuntimeReadsThem)
{
    EXPECT_EQ(ToNumber("16"), 16);
    EXPECT_EQ(ToNumber(" -3 "), -3);
    EXPECT_EQ(ToNumber("+3"), 3);
    EXPECT_EQ(ToNumber("10.5"), 10.5);
    for (std::string_view notNumber : {"", "abc", "12pt", "+-3", "--3", "inf", "nan", "-"}) {
        EXPECT_FALSE(ToNumber(notNumber)) << notNumber;
    }
    EXPECT_EQ(ToLong("255"), 255);
    EXPECT_EQ(ToLong("2.5"), 2) << "halves go to the even neighbour";
    EXPECT_FALSE(ToLong("99999999999"));
    EXPECT_FALSE(ToLong("red"));
    EXPECT_EQ(LeadingNumber("14.0"), 14);
    EXPECT_EQ(LeadingNumber("12 beta"), 12);
    EXPECT_EQ(LeadingNumber("beta"), 0);
}

TEST(RuntimeConversion, TruthValuesRoundTripAndNumbersCount)
{
    EXPECT_EQ(ToTruth(TruthText(true)), true);
    EXPECT_EQ(ToTruth(TruthText(false)), false);
    EXPECT_EQ(ToTruth("TRUE"), true);
    EXPECT_EQ(ToTruth("-1"), true);
    EXPECT_EQ(ToTruth("0"), false);
    EXPECT_FALSE(ToTruth("yes"));
}

}  // namespace
}  // namespace velmora::font
