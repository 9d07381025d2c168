#include "tests/cli_tools/ToolCommandFixture.hpp"
#include "tests/support/LibreOffice.hpp"

namespace velmora::testing {
namespace {

using SetFontLibreOfficeCommandTest = ToolCommandTest;

// LibreOffice names every placeholder "PlaceHolder N", so its titles are
// known by their kind alone, and it writes text boxes it read as plain
// rectangles.
TEST_F(SetFontLibreOfficeCommandTest, DeckWrittenByLibreOfficeIsChangedAndStillOpens)
{
    NewDeck({host::SlideLayout::Text, host::SlideLayout::Title});
    AddTextBox(1, "TextBox 3");
    AddRectangle(1, "Rectangle 4");
    AddTable(2, "Table 5");
    SaveDeck();
    const auto converted = ConvertWithLibreOffice(deck(), "pptx", dir_ / "converted");
    ASSERT_TRUE(converted) << "LibreOffice could not convert the deck";

    const auto run = Run("SetFont_main", *converted,
                         {"--set", "CheckBox2=true", "--set", "CheckBox4=true", "--set", "OptionButton10=true",
                          "--set", "ComboBox3=33", "--click", "CommandButton1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("所有幻灯片中的字体设置完成！"), std::string::npos) << run.out;
    EXPECT_EQ(ShapesWhoseRuns(*converted, 1, "@sz='3300'"), (Names{"PlaceHolder 2"}));
    EXPECT_EQ(ShapesWhoseRuns(*converted, 2, "@sz='3300'"), (Names{"PlaceHolder 2", "Table 5"}));
    EXPECT_EQ(ShapesWhoseRuns(*converted, 1, "@sz='1200'"), (Names{"PlaceHolder 1", "TextBox 3", "Rectangle 4"}));
    EXPECT_EQ(SlidesSeenByLibreOffice(*converted), 2);
}

}  // namespace
}  // namespace velmora::testing
