#include "tests/font/FontFixture.hpp"
#include "tests/support/LibreOffice.hpp"

namespace velmora::testing {
namespace {

using FontLibreOfficeTest = FontTest;

TEST_F(FontLibreOfficeTest, DeckWithEveryKindChangedStillOpens)
{
    NewDeck({host::SlideLayout::Text, host::SlideLayout::Title});
    AddTextBox(1, "TextBox 3");
    AddRectangle(1, "Rectangle 4");
    AddTable(2, "Table 5");
    AddTextBox(2, "A", 20, 400);
    AddTextBox(2, "B", 300, 400);
    Group(2, {"A", "B"}, "Pair");
    prompts_->AddColor(0x336699);
    RunSetFont({Set("CheckBox1", "true"), Set("CheckBox2", "true"), Set("CheckBox3", "true"),
                Set("CheckBox4", "true"), Set("CheckBox5", "true"), Set("CheckBox6", "true"),
                Set("CheckBox7", "true"), Set("ComboBox1", "Noto Sans CJK SC"), Set("CheckBox8", "true"),
                Set("ComboBox2", "DejaVu Serif"), Set("OptionButton11", "true"), Set("ComboBox4", "4"),
                Set("CheckBox9", "true"), Click("Cmd_Color"), Set("CheckBox11", "true"), Click("ToggleButton4"),
                Set("CheckBox13", "true"), Click("ToggleButton6"), Click("CommandButton1")});
    EXPECT_EQ(ShapesSized(1, 16), (std::vector<std::string>{"Title 1", "Content Placeholder 2", "TextBox 3",
                                                             "Rectangle 4"}));
    const auto file = dir_ / "fonts.pptx";
    presentation_->SaveAs(file, host::SaveFormat::OpenXMLPresentation);
    EXPECT_EQ(SlidesSeenByLibreOffice(file), 2);
}

}  // namespace
}  // namespace velmora::testing
