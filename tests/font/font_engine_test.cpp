#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <pugixml.hpp>

#include "pptx/DocumentHost.hpp"
#include "tests/font/FontFixture.hpp"
#include "tests/support/PackageEdit.hpp"

namespace velmora::testing {
namespace {

using Names = std::vector<std::string>;
using host::SlideLayout::Blank;
using host::SlideLayout::Text;
using host::SlideLayout::Title;

constexpr float kFixed = 33;

class FontEngineTest : public FontTest {
protected:
    // Targets by object kind with one fixed size, so that what changed shows.
    void RunFixedSize(std::vector<forms::ScriptStep> targets)
    {
        targets.push_back(Set("OptionButton10", "true"));
        targets.push_back(Set("ComboBox3", "33"));
        targets.push_back(Click("CommandButton1"));
        RunSetFont(std::move(targets));
    }

    void RunStep(const std::string& step, std::vector<forms::ScriptStep> targets)
    {
        targets.push_back(Set("OptionButton11", "true"));
        targets.push_back(Set("ComboBox4", step));
        targets.push_back(Click("CommandButton1"));
        RunSetFont(std::move(targets));
    }

    // Title 1 and Content Placeholder 2, a text box, a rectangle and two
    // tables; then 标题 1 and Subtitle 2; then a title named Footer
    // Placeholder 3, whose name counts before its kind, and a subtitle named
    // 副标题 2, which matches no title pattern.
    void BuildKindsDeck()
    {
        NewDeck({Text, Title, Title});
        AddTextBox(1, "TextBox 3");
        AddRectangle(1, "Rectangle 4");
        AddTable(1, "Table 5");
        AddTable(1, "数据");
        Shape(2, "Title 1")->SetName("标题 1");
        Shape(3, "Title 1")->SetName("Footer Placeholder 3");
        Shape(3, "Subtitle 2")->SetName("副标题 2");
    }

    // Text sizes of a group's members, nested groups' members in their place.
    static std::vector<float> MemberSizes(host::Shape& group)
    {
        std::vector<float> sizes;
        auto members = group.GroupItems();
        for (int i = 1; i <= members->Count(); ++i) {
            auto member = members->Item(i);
            if (member->Type() == host::ShapeType::Group) {
                const auto inner = MemberSizes(*member);
                sizes.insert(sizes.end(), inner.begin(), inner.end());
            } else {
                sizes.push_back(SizeOf(*member));
            }
        }
        return sizes;
    }
};

TEST_F(FontEngineTest, EachTargetBoxChangesItsOwnKindOfText)
{
    struct Case {
        const char* box;
        Names slide1, slide2, slide3;
    };
    const std::vector<Case> cases{
        {"CheckBox1", {"Title 1"}, {"标题 1"}, {}},
        {"CheckBox2", {"Content Placeholder 2", "TextBox 3"}, {"Subtitle 2"}, {"副标题 2"}},
        {"CheckBox3", {"Rectangle 4"}, {}, {}},
        {"CheckBox4", {"Table 5", "数据"}, {}, {}},
        {"CheckBox6", {}, {}, {"Footer Placeholder 3"}},
    };
    for (const auto& c : cases) {
        ForgetSettings();
        BuildKindsDeck();
        RunFixedSize({Set(c.box, "true")});
        EXPECT_EQ(ShapesSized(1, kFixed), c.slide1) << c.box;
        EXPECT_EQ(ShapesSized(2, kFixed), c.slide2) << c.box;
        EXPECT_EQ(ShapesSized(3, kFixed), c.slide3) << c.box;
    }
}

TEST_F(FontEngineTest, TextBoxNamedFooterIsAFooterOnlyBelowHostVersion12)
{
    const std::vector<std::tuple<std::string, std::string, Names>> cases{
        {"14.0", "CheckBox6", {"Footer Placeholder 3"}},
        {"12", "CheckBox6", {"Footer Placeholder 3"}},
        {"11.0", "CheckBox6", {"Footer Placeholder 3", "Footer"}},
        {"14.0", "CheckBox2", {"Footer"}},
    };
    for (const auto& [version, box, changed] : cases) {
        ForgetSettings();
        NewDeck({Text}, version);
        Shape(1, "Content Placeholder 2")->SetName("Footer Placeholder 3");
        AddTextBox(1, "Footer");
        RunFixedSize({Set(box, "true")});
        EXPECT_EQ(ShapesSized(1, kFixed), changed) << box << " on host version " << version;
    }
}

TEST_F(FontEngineTest, GroupsAreEnteredOnlyWithCheckBox5)
{
    for (const bool enter : {false, true}) {
        ForgetSettings();
        NewDeck({Blank});
        AddTextBox(1, "A");
        AddTextBox(1, "B", 20, 100);
        Group(1, {"A", "B"}, "Pair");
        std::vector<forms::ScriptStep> targets{Set("CheckBox2", "true")};
        if (enter) {
            targets.push_back(Set("CheckBox5", "true"));
        }
        RunFixedSize(targets);
        const float expected = enter ? kFixed : 12;
        EXPECT_EQ(MemberSizes(*Shape(1, "Pair")), (std::vector<float>{expected, expected})) << "CheckBox5 " << enter;
    }
}

TEST_F(FontEngineTest, NestedGroupMembersGetTheSizeStepOnce)
{
    NewDeck({Blank});
    AddTextBox(1, "A");
    AddTextBox(1, "B", 20, 100);
    AddTextBox(1, "C", 20, 200);
    Group(1, {"A", "B"}, "Inner");
    Group(1, {"Inner", "C"}, "Outer");
    RunStep("3", {Set("CheckBox2", "true"), Set("CheckBox5", "true")});
    EXPECT_EQ(MemberSizes(*Shape(1, "Outer")), (std::vector<float>{15, 15, 15}));
}

TEST_F(FontEngineTest, SizeStepIsAddedAndHeldBetween1And96)
{
    for (const auto& [start, step, expected] :
         std::vector<std::tuple<float, std::string, float>>{{94, "5", 96}, {8, "-10", 1}, {12, "3", 15}}) {
        NewDeck({Blank});
        AddTextBox(1, "Box")->TextFrame()->TextRange()->Font()->SetSize(start);
        RunStep(step, {Set("CheckBox2", "true")});
        EXPECT_EQ(SizeOf(*Shape(1, "Box")), expected) << start << " + " << step;
    }
}

TEST_F(FontEngineTest, MixedSizesEachTakeTheStepFromTheirOwnSize)
{
    for (const auto& [step, big, small] :
         std::vector<std::tuple<std::string, float, float>>{{"2", 30, 16}, {"70", 96, 84}, {"-20", 8, 1}}) {
        NewDeck({Blank});
        auto text = AddTextBox(1, "Box")->TextFrame()->TextRange();
        text->SetText("大字\r小字");
        text->Runs(1)->Font()->SetSize(28);
        text->Runs(2)->Font()->SetSize(14);
        RunStep(step, {Set("CheckBox2", "true")});
        auto after = Shape(1, "Box")->TextFrame()->TextRange();
        EXPECT_EQ(after->Runs(1)->Font()->Size(), big) << "28 + " << step;
        EXPECT_EQ(after->Runs(2)->Font()->Size(), small) << "14 + " << step;
    }
}

TEST_F(FontEngineTest, ShapesSharingAnIdAreChangedByTheirOwnKind)
{
    for (const auto& [box, changed] :
         std::vector<std::pair<std::string, Names>>{{"CheckBox4", {"Table"}}, {"CheckBox2", {"Box"}}}) {
        ForgetSettings();
        NewDeck({Blank});
        AddTable(1, "Table");
        AddTextBox(1, "Box");
        const auto file = dir_ / "shared-id.pptx";
        presentation_->SaveAs(file, host::SaveFormat::Presentation);
        presentation_->Close();
        ShareShapeId(file, "ppt/slides/slide1.xml", "Table", "Box");
        PrettyPrintXml(file);
        OpenDeck(file);
        ASSERT_EQ(Shape(1, "Box")->Id(), Shape(1, "Table")->Id());
        RunFixedSize({Set(box, "true")});
        EXPECT_EQ(ShapesSized(1, kFixed), changed) << box;
    }
}

TEST_F(FontEngineTest, WritesTheHostRefusesAreSkippedOneByOne)
{
    NewDeck({Blank});
    AddTextBox(1, "Box");
    RunSetFont({Set("CheckBox2", "true"), Set("OptionButton10", "true"), Set("ComboBox3", "large"),
                Set("CheckBox8", "true"), Set("ComboBox2", "Liberation Serif"), Click("CommandButton1")});
    auto font = Shape(1, "Box")->TextFrame()->TextRange()->Font();
    EXPECT_EQ(font->Size(), 12);
    EXPECT_EQ(font->NameAscii(), "Liberation Serif");
    EXPECT_EQ(Stored("FSize"), "large") << "stored as typed";
}

TEST_F(FontEngineTest, PositionPicksTheExtremeShapeFirstOfEqualsWinning)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {"OptionButton3", "Top"}, {"OptionButton4", "Wide"}, {"OptionButton5", "Wide"}, {"OptionButton6", "Right"}};
    for (const auto& [option, chosen] : cases) {
        ForgetSettings();
        NewDeck({Blank, Blank});
        AddTextBox(1, "Right", 450, 100, 200, 50);
        AddTextBox(1, "Wide", 50, 200, 300, 100);
        AddTextBox(1, "Top", 400, 20, 100, 30);
        AddTextBox(2, "First", 100, 100);
        AddTextBox(2, "Second", 300, 100);
        RunFixedSize({Set("MultiPage1", "1"), Set(option, "true")});
        EXPECT_EQ(ShapesSized(1, kFixed), Names{chosen}) << option;
        if (option == "OptionButton3") {
            EXPECT_EQ(ShapesSized(2, kFixed), Names{"First"});
        }
    }
}

TEST_F(FontEngineTest, CornersQualifyWithinTheirShareOfTheSlideAndTheLastWins)
{
    NewDeck({Blank, Blank, Blank});
    AddTextBox(1, "Corner", 200, 50);
    AddTextBox(1, "Away", 400, 300);
    AddTextBox(2, "Low", 200, 60);
    AddTextBox(3, "Edge", 216, 54);
    AddTextBox(3, "Away", 400, 300);
    RunFixedSize({Set("MultiPage1", "1"), Set("OptionButton7", "true")});
    EXPECT_EQ(ShapesSized(1, kFixed), Names{"Corner"});
    EXPECT_EQ(ShapesSized(2, kFixed), Names{});
    EXPECT_EQ(ShapesSized(3, kFixed), Names{"Edge"});

    NewDeck({Blank});
    AddTextBox(1, "BR1", 440, 490, 50, 20);
    AddTextBox(1, "BR2", 500, 500, 50, 20);
    AddTextBox(1, "Short", 431, 500, 50, 20);
    RunFixedSize({Set("MultiPage1", "1"), Set("OptionButton8", "true")});
    EXPECT_EQ(ShapesSized(1, kFixed), Names{"BR2"});
}

TEST_F(FontEngineTest, ShapeWithoutTextCanBePickedAndChangesNothing)
{
    NewDeck({Blank});
    AddTable(1, "Grid");
    Shape(1, "Grid")->SetTop(5);
    AddTextBox(1, "Box", 20, 100);
    RunFixedSize({Set("MultiPage1", "1"), Set("OptionButton3", "true")});
    EXPECT_EQ(ShapesSized(1, kFixed), Names{});
    EXPECT_EQ(Messages().back(), "所有幻灯片中的字体设置完成！");
}

TEST_F(FontEngineTest, EmptySelectionIsRefusedAndNothingIsSaved)
{
    NewDeck({Blank});
    AddTextBox(1, "Box");
    pptx::ClearSelection(*application_->ActiveWindow());
    RunSetFont({Set("OptionButton1", "true"), Set("CheckBox2", "true"), Set("OptionButton10", "true"),
                Click("CommandButton1"), Click("CommandButton2")});
    EXPECT_EQ(Messages(), Names{"没有选定任何幻灯片！"});
    EXPECT_EQ(prompts_->Transcript().front().style, host::MsgStyle::Critical);
    EXPECT_EQ(SizeOf(*Shape(1, "Box")), 12);
    EXPECT_EQ(Stored("CheckBox2"), "(absent)");
}

TEST_F(FontEngineTest, DeckWithoutSlidesIsRefused)
{
    NewDeck({});
    RunSetFont({Set("CheckBox2", "true"), Click("CommandButton1"), Click("CommandButton2")});
    EXPECT_EQ(Messages(), Names{"此文档中没有包含幻灯片！"});
    EXPECT_EQ(Stored("CheckBox2"), "(absent)");
}

TEST_F(FontEngineTest, SelectedSlidesOnlyAndTheirCompletionText)
{
    NewDeck({Blank, Blank, Blank});
    for (int slide = 1; slide <= 3; ++slide) {
        AddTextBox(slide, "Box");
    }
    pptx::SelectSlides(*application_->ActiveWindow(), {3, 2});
    RunFixedSize({Set("OptionButton1", "true"), Set("CheckBox2", "true")});
    EXPECT_EQ(ShapesSized(1, kFixed), Names{});
    EXPECT_EQ(ShapesSized(2, kFixed), Names{"Box"});
    EXPECT_EQ(ShapesSized(3, kFixed), Names{"Box"});
    EXPECT_EQ(Messages(), Names{"当前选定幻灯片中的字体设置完成！"});
    EXPECT_EQ(prompts_->Transcript().back().style, host::MsgStyle::OkOnly);
    EXPECT_EQ(Stored("Option1"), "True");
}

TEST_F(FontEngineTest, SavedRunsCarryFontSlotsSizeColourAndStyles)
{
    NewDeck({Blank});
    AddTextBox(1, "Box");
    prompts_->AddColor(0x0000FF);
    RunSetFont({Set("CheckBox2", "true"), Set("CheckBox7", "true"), Set("ComboBox1", "黑体"),
                Set("CheckBox8", "true"), Set("ComboBox2", "Liberation Serif"), Set("OptionButton10", "true"),
                Set("ComboBox3", "33"), Set("CheckBox9", "true"), Click("Cmd_Color"), Set("CheckBox10", "true"),
                Click("ToggleButton3"), Set("CheckBox12", "true"), Click("CommandButton1")});
    presentation_->SaveAs(dir_ / "out.pptx", host::SaveFormat::OpenXMLPresentation);

    const auto slide = ReadEntry(dir_ / "out.pptx", "ppt/slides/slide1.xml");
    ASSERT_TRUE(slide);
    pugi::xml_document xml;
    ASSERT_TRUE(xml.load_string(slide->c_str()));
    const auto run = xml.select_node("//p:sp[p:nvSpPr/p:cNvPr/@name='Box']//a:r/a:rPr").node();
    ASSERT_TRUE(run);
    EXPECT_STREQ(run.attribute("sz").value(), "3300");
    EXPECT_STREQ(run.attribute("b").value(), "1");
    EXPECT_STREQ(run.attribute("u").value(), "none");
    EXPECT_STREQ(run.child("a:latin").attribute("typeface").value(), "Liberation Serif");
    EXPECT_STREQ(run.child("a:ea").attribute("typeface").value(), "黑体");
    EXPECT_STREQ(run.child("a:cs").attribute("typeface").value(), "黑体");
    EXPECT_STREQ(run.select_node("a:solidFill/a:srgbClr").node().attribute("val").value(), "FF0000");
    EXPECT_EQ(Stored("FColor"), "255");
}

TEST_F(FontEngineTest, WordArtTakesTheEastAsianNameAndItsFillTakesTheColour)
{
    NewDeck({Blank});
    AddRectangle(1, "WordArt 7");
    AddRectangle(1, "Rectangle 8");
    const auto file = dir_ / "art.pptx";
    presentation_->SaveAs(file, host::SaveFormat::OpenXMLPresentation);
    presentation_->Close();
    pugi::xml_document xml;
    ASSERT_TRUE(xml.load_string(ReadEntry(file, "ppt/slides/slide1.xml").value().c_str()));
    auto bodyProperties = xml.select_node("//p:sp[p:nvSpPr/p:cNvPr/@name='WordArt 7']/p:txBody/a:bodyPr").node();
    ASSERT_TRUE(bodyProperties);
    bodyProperties.prepend_child("a:prstTxWarp").append_attribute("prst") = "textPlain";
    std::ostringstream edited;
    xml.save(edited);
    WriteEntry(file, "ppt/slides/slide1.xml", edited.str());

    OpenDeck(file);
    ASSERT_EQ(Shape(1, "WordArt 7")->Type(), host::ShapeType::TextEffect);
    prompts_->AddColor(0x00FF00);
    RunSetFont({Set("CheckBox3", "true"), Set("CheckBox7", "true"), Set("ComboBox1", "黑体"),
                Set("CheckBox8", "true"), Set("ComboBox2", "Arial Black"), Set("CheckBox9", "true"),
                Click("Cmd_Color"), Click("CommandButton1")});
    EXPECT_EQ(Shape(1, "WordArt 7")->TextEffect()->FontName(), "黑体");
    EXPECT_EQ(Shape(1, "Rectangle 8")->TextFrame()->TextRange()->Font()->NameAscii(), "Arial Black");
    EXPECT_EQ(Shape(1, "WordArt 7")->Fill()->ForeColor()->RGB(), 0x00FF00);
    EXPECT_NE(Shape(1, "Rectangle 8")->Fill()->ForeColor()->RGB(), 0x00FF00);
    EXPECT_EQ(Shape(1, "Rectangle 8")->TextFrame()->TextRange()->Font()->Color()->RGB(), 0x00FF00);
}

}  // namespace
}  // namespace velmora::testing
