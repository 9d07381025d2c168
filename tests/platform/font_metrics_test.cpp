// Text measured in the fonts fontconfig gives, as LibreOffice draws with them.
#include <gtest/gtest.h>

#include "platform/FontMetrics.hpp"

namespace velmora::platform {
namespace {

TEST(FontMetrics, WidthsAreTheFontsOwnAdvances)
{
    const auto wide = MeasureText("Liberation Sans", 20, "MMMM");
    const auto narrow = MeasureText("Liberation Sans", 20, "iiii");
    EXPECT_GT(wide.width, 3 * narrow.width);
    // Liberation Sans is metric-compatible with Arial: M is 0.833 em, i 0.222 em.
    EXPECT_NEAR(wide.width, 4 * 0.833 * 20, 0.1);
    EXPECT_NEAR(narrow.width, 4 * 0.222 * 20, 0.1);
    EXPECT_NEAR(MeasureText("Liberation Sans", 10, "MMMM").width * 2, wide.width, 1e-9) << "linear in the size";
}

TEST(FontMetrics, AFamilyIsTakenAsFontconfigSubstitutesIt)
{
    // Carlito stands in for Calibri with the same advances.
    EXPECT_DOUBLE_EQ(MeasureText("Calibri", 18, "@Quenlar").width, MeasureText("Carlito", 18, "@Quenlar").width);
    EXPECT_GT(MeasureText("No Such Family At All", 18, "abc").width, 0);
}

TEST(FontMetrics, CharactersTheFamilyLacksComeFromAFallbackFont)
{
    const auto chinese = MeasureText("Liberation Sans", 18, "水印文字");
    EXPECT_NEAR(chinese.width, 4 * 18, 1) << "CJK ideographs are one em wide";
    EXPECT_GE(chinese.height, MeasureText("Liberation Sans", 18, "ab").height);
}

TEST(FontMetrics, EmptyTextHasTheLineHeightButNoWidth)
{
    const auto empty = MeasureText("Liberation Sans", 18, "");
    EXPECT_EQ(empty.width, 0);
    EXPECT_GT(empty.height, 18);
    EXPECT_LT(empty.height, 18 * 1.5);
}

}  // namespace
}  // namespace velmora::platform
