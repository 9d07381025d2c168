#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "color/md_SetColor.hpp"
#include "pptx/DocumentHost.hpp"
#include "tests/support/Decks.hpp"
#include "tests/support/PackageEdit.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::color {
namespace {

constexpr host::Color kRed = 255;  // "FF0000" in the file
constexpr const char* kRedHex = "FF0000";

// A one-slide deck open in a window, shapes added through the host, the
// selection set as a user would, and the saved slide read back.
class ApplyColorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        decks_.Build(file_, {{"标题", "", 0, false, {}}});
        presentation_ = decks_.OpenInWindow(file_);
        shapes_ = presentation_->Slides()->Item(1)->Shapes();
    }

    host::Ref<host::Shape> Named(host::Ref<host::Shape> shape, const std::string& name, const std::string& text = "")
    {
        shape->SetName(name);
        if (!text.empty()) {
            shape->TextFrame()->TextRange()->SetText(text);
        }
        return shape;
    }

    void AddTextBox(const std::string& name, float top)
    {
        Named(shapes_->AddTextbox(host::TextOrientation::Horizontal, 20, top, 200, 30), name, name);
    }

    void AddTable()
    {
        auto table = Named(shapes_->AddTable(2, 2, 20, 300, 300, 80), "Table")->Table();
        for (int r = 1; r <= 2; ++r) {
            for (int c = 1; c <= 2; ++c) {
                table->Cell(r, c)->Shape()->TextFrame()->TextRange()->SetText("x");
            }
        }
    }

    // Three text boxes grouped into "Trio".
    void AddTrio()
    {
        const int first = shapes_->Count() + 1;
        AddTextBox("A", 100);
        AddTextBox("B", 140);
        AddTextBox("C", 180);
        shapes_->Range({first, first + 1, first + 2})->Group()->SetName("Trio");
    }

    std::string TitleName() { return shapes_->Placeholders()->Item(1)->Name(); }

    void Select(const std::vector<std::string>& names)
    {
        pptx::SelectShapes(*decks_.app().ActiveWindow(), 1, names);
    }

    void Apply(int target) { ApplyColor(decks_.app(), kRed, target); }

    const pugi::xml_document& SavedSlide()
    {
        presentation_->Save();
        slide_.reset();
        const auto xml = testing::ReadEntry(file_, "ppt/slides/slide1.xml");
        EXPECT_TRUE(xml && slide_.load_string(xml->c_str()));
        return slide_;
    }

    std::string SavedSlideText()
    {
        presentation_->Save();
        return testing::ReadEntry(file_, "ppt/slides/slide1.xml").value_or("");
    }

    // The element of the shape named `name` in the saved slide.
    pugi::xml_node Shape(const std::string& name)
    {
        return slide_.select_node(("//p:cNvPr[@name='" + name + "']/../..").c_str()).node();
    }

    static std::vector<std::string> Colours(pugi::xml_node node, const std::string& xpath)
    {
        std::vector<std::string> found;
        for (const auto& hit : node.select_nodes((xpath + "/a:solidFill/a:srgbClr").c_str())) {
            found.push_back(hit.node().attribute("val").value());
        }
        return found;
    }

    static std::string Colour(pugi::xml_node node, const std::string& xpath)
    {
        const auto found = Colours(node, xpath);
        return found.size() == 1 ? found.front() : "(" + std::to_string(found.size()) + " colours)";
    }

    testing::TempDir dir_;
    std::filesystem::path file_ = dir_ / "deck.pptx";
    testing::DeckHost decks_;
    host::Ref<host::Presentation> presentation_;
    host::Ref<host::Shapes> shapes_;
    pugi::xml_document slide_;
};

TEST_F(ApplyColorTest, FillColoursShapesAndShowsTheFillOfTextHolders)
{
    Named(shapes_->AddShape(host::AutoShapeType::Rectangle, 300, 20, 100, 50), "Rect");
    AddTextBox("Box", 100);
    Select({"Rect", "Box"});
    Apply(ApplyTarget::Fill);
    SavedSlide();
    EXPECT_EQ(Colour(Shape("Rect"), "p:spPr"), kRedHex);
    EXPECT_EQ(Colour(Shape("Box"), "p:spPr"), kRedHex);

    Select({TitleName()});
    Apply(ApplyTarget::Fill);
    SavedSlide();
    EXPECT_EQ(Colour(Shape(TitleName()), "p:spPr"), kRedHex);
}

TEST_F(ApplyColorTest, FillOfATableGoesThroughItsShape)
{
    AddTable();
    Select({"Table"});
    Apply(ApplyTarget::Fill);
    SavedSlide();
    EXPECT_EQ(Colours(Shape("Table"), ".//a:tcPr"), std::vector<std::string>(4, kRedHex));
}

// The selection's shape range is then the group itself, which the host
// fills as a whole; the chosen shape is reached either way.
TEST_F(ApplyColorTest, FillReachesAShapeSelectedInsideAGroup)
{
    AddTrio();
    Select({"B"});
    Apply(ApplyTarget::Fill);
    SavedSlide();
    EXPECT_EQ(Colour(Shape("B"), "p:spPr"), kRedHex);
    EXPECT_EQ(slide_.select_nodes("//p:grpSp/p:sp").size(), 3u);
}

TEST_F(ApplyColorTest, TextColoursTextBoxesAndPlaceholders)
{
    AddTextBox("Box", 100);
    Select({"Box"});
    Apply(ApplyTarget::Text);
    Select({TitleName()});
    Apply(ApplyTarget::Text);
    SavedSlide();
    EXPECT_EQ(Colours(Shape("Box"), ".//a:r/a:rPr"), std::vector<std::string>{kRedHex});
    EXPECT_EQ(Colours(Shape(TitleName()), ".//a:r/a:rPr"), std::vector<std::string>{kRedHex});
}

TEST_F(ApplyColorTest, TextOfAGroupIsColouredAndTheGroupStaysSelected)
{
    AddTrio();
    Select({"Trio"});
    Apply(ApplyTarget::Text);

    auto selected = decks_.app().ActiveWindow()->Selection()->ShapeRange();
    ASSERT_EQ(selected->Count(), 1);
    EXPECT_EQ(selected->Type(), host::ShapeType::Group);
    EXPECT_EQ(selected->GroupItems()->Count(), 3);

    SavedSlide();
    const auto groups = slide_.select_nodes("//p:grpSp");
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(Colours(groups.first().node(), "p:sp//a:r/a:rPr"), std::vector<std::string>(3, kRedHex));
}

TEST_F(ApplyColorTest, TextOfATableIsColouredCellByCell)
{
    AddTable();
    Select({"Table"});
    Apply(ApplyTarget::Text);
    SavedSlide();
    EXPECT_EQ(Colours(Shape("Table"), ".//a:tc//a:r/a:rPr"), std::vector<std::string>(4, kRedHex));
}

TEST_F(ApplyColorTest, LineColoursOutlinesAndEveryTableBorder)
{
    Named(shapes_->AddShape(host::AutoShapeType::Oval, 300, 20, 100, 50), "Oval");
    Select({"Oval"});
    Apply(ApplyTarget::Line);
    AddTable();
    Select({"Table"});
    Apply(ApplyTarget::Line);
    SavedSlide();
    EXPECT_EQ(Colour(Shape("Oval"), "p:spPr/a:ln"), kRedHex);
    const auto table = Shape("Table");
    for (const char* side : {"a:lnL", "a:lnR", "a:lnT", "a:lnB"}) {
        EXPECT_EQ(Colours(table, std::string(".//a:tcPr/") + side), std::vector<std::string>(4, kRedHex)) << side;
    }
}

// As other writers save them: the table and a text box share an id, with
// whitespace between all elements.
TEST_F(ApplyColorTest, ShapesSharingAnIdAreColouredApart)
{
    AddTable();
    AddTextBox("Box", 100);
    presentation_->Save();
    presentation_->Close();
    testing::ShareShapeId(file_, "ppt/slides/slide1.xml", "Table", "Box");
    testing::PrettyPrintXml(file_);
    presentation_ = decks_.OpenInWindow(file_);
    shapes_ = presentation_->Slides()->Item(1)->Shapes();
    ASSERT_EQ(shapes_->Item("Box")->Id(), shapes_->Item("Table")->Id());

    Select({"Table"});
    for (int target : {ApplyTarget::Fill, ApplyTarget::Text, ApplyTarget::Line}) {
        Apply(target);
    }
    SavedSlide();
    EXPECT_EQ(Colours(Shape("Table"), ".//a:tcPr"), std::vector<std::string>(4, kRedHex));
    EXPECT_EQ(Colours(Shape("Table"), ".//a:tc//a:r/a:rPr"), std::vector<std::string>(4, kRedHex));
    EXPECT_EQ(Colours(Shape("Table"), ".//a:tcPr/a:lnL"), std::vector<std::string>(4, kRedHex));
    EXPECT_TRUE(Colours(Shape("Box"), ".//*").empty()) << "the text box is untouched";

    Select({"Box"});
    Apply(ApplyTarget::Line);
    SavedSlide();
    EXPECT_EQ(Colour(Shape("Box"), "p:spPr/a:ln"), kRedHex);
    EXPECT_EQ(Colours(Shape("Table"), ".//a:tcPr/a:lnL"), std::vector<std::string>(4, kRedHex));
}

TEST_F(ApplyColorTest, SelectedTextOrAnUnknownTargetChangesNothing)
{
    AddTextBox("Box", 100);
    const std::string before = SavedSlideText();

    pptx::SelectText(*decks_.app().ActiveWindow(), 1, "Box");
    Apply(ApplyTarget::Text);
    Select({"Box"});
    Apply(0);
    Apply(4);
    pptx::SelectSlides(*decks_.app().ActiveWindow(), {1});
    Apply(ApplyTarget::Fill);

    EXPECT_TRUE(presentation_->Saved());
    EXPECT_EQ(SavedSlideText(), before);
}

}  // namespace
}  // namespace velmora::color
