#include <string>
#include <vector>

#include "tests/cli_tools/ToolCommandFixture.hpp"

namespace velmora::testing {
namespace {

// Base swatches: Label1 red, Label5 green, Label9 blue. Target options:
// OptionButton4 fill, OptionButton5 text, OptionButton6 line.
constexpr const char* kRed = "FF0000";
constexpr const char* kGreen = "00FF00";
constexpr const char* kBlue = "0000FF";

// A slide with a title and body placeholder, a rectangle, a text box, a group
// of three text boxes and a table, each with text.
class SetColorCommandTest : public ToolCommandTest {
protected:
    void SetUp() override
    {
        NewDeck({host::SlideLayout::Text});
        AddRectangle(1, "Rectangle 4");
        AddTextBox(1, "Box", 20, 400);
        AddTextBox(1, "A", 400, 100);
        AddTextBox(1, "B", 400, 150);
        AddTextBox(1, "C", 400, 200);
        Group(1, {"A", "B", "C"}, "Trio");
        AddTable(1, "Table 5");
        SaveDeck();
    }

    // The palette on the named shape of slide 1, clicked as given; the
    // palette closes when the script ends.
    void Colour(const std::string& shape, const std::vector<std::string>& clicks)
    {
        std::vector<std::string> options{"--shapes", "1:" + shape};
        for (const auto& control : clicks) {
            options.insert(options.end(), {"--click", control});
        }
        const auto run = Run("SetColor_main", options);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "") << "the palette reports nothing";
        SavedSlide(1);
    }

    static std::vector<std::string> Colours(pugi::xml_node node, const std::string& xpath)
    {
        std::vector<std::string> found;
        for (const auto& hit : node.select_nodes((xpath + "/a:solidFill/a:srgbClr").c_str())) {
            found.push_back(hit.node().attribute("val").value());
        }
        return found;
    }

    std::vector<std::string> FillOf(const std::string& shape) const { return Colours(ShapeNode(shape), "p:spPr"); }
    std::vector<std::string> LineOf(const std::string& shape) const
    {
        return Colours(ShapeNode(shape), "p:spPr/a:ln");
    }
    std::vector<std::string> TextOf(const std::string& shape) const
    {
        return Colours(ShapeNode(shape), ".//a:r/a:rPr");
    }

    static std::vector<std::string> Times(std::size_t count, const char* colour)
    {
        return std::vector<std::string>(count, colour);
    }
};

TEST_F(SetColorCommandTest, FillTextAndLineOfAShapeEachTakeTheColourChosenForThem)
{
    Colour("Rectangle 4",
           {"OptionButton4", "Label9", "OptionButton5", "Label1", "OptionButton6", "Label5"});
    EXPECT_EQ(FillOf("Rectangle 4"), Times(1, kBlue));
    EXPECT_EQ(TextOf("Rectangle 4"), Times(1, kRed));
    EXPECT_EQ(LineOf("Rectangle 4"), Times(1, kGreen));
    EXPECT_EQ(FillOf("Box"), Times(0, kBlue)) << "shapes not selected keep their colours";
}

TEST_F(SetColorCommandTest, TextBoxAndPlaceholderGetAVisibleFillAndTheirTextColoured)
{
    for (const char* shape : {"Box", "Title 1"}) {
        Colour(shape, {"OptionButton4", "Label9", "OptionButton5", "Label1"});
        EXPECT_EQ(FillOf(shape), Times(1, kBlue)) << shape;
        EXPECT_EQ(TextOf(shape), Times(1, kRed)) << shape;
    }
}

TEST_F(SetColorCommandTest, TextOfAGroupOfThreeIsColouredAndTheGroupRemains)
{
    Colour("Trio", {"OptionButton5", "Label1"});
    const auto groups = slide_.select_nodes("//p:grpSp");
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups.first().node().select_nodes("p:sp").size(), 3u);
    for (const char* member : {"A", "B", "C"}) {
        EXPECT_EQ(TextOf(member), Times(1, kRed)) << member;
    }
}

TEST_F(SetColorCommandTest, TableCellTextAndEveryBorderAreColoured)
{
    Colour("Table 5", {"OptionButton5", "Label1", "OptionButton6", "Label5"});
    const auto table = ShapeNode("Table 5");
    EXPECT_EQ(Colours(table, ".//a:tc//a:r/a:rPr"), Times(4, kRed));
    for (const char* side : {"a:lnL", "a:lnR", "a:lnT", "a:lnB"}) {
        EXPECT_EQ(Colours(table, std::string(".//a:tcPr/") + side), Times(4, kGreen)) << side;
    }
}

}  // namespace
}  // namespace velmora::testing
