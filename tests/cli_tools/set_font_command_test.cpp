#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "tests/cli_tools/ToolCommandFixture.hpp"
#include "tests/support/PackageEdit.hpp"

namespace velmora::testing {
namespace {

using host::SlideLayout::Blank;
using host::SlideLayout::Text;
using host::SlideLayout::Title;

constexpr const char* kFixedSize = "@sz='3300'";
constexpr const char* kAllDone = "所有幻灯片中的字体设置完成！";
constexpr const char* kSelectedDone = "当前选定幻灯片中的字体设置完成！";

class SetFontCommandTest : public ToolCommandTest {
protected:
    // The targets (and view options) given, one fixed size of 33 points, OK.
    ProcessResult RunFixedSize(std::vector<std::string> options) const
    {
        options.insert(options.end(),
                       {"--set", "OptionButton10=true", "--set", "ComboBox3=33", "--click", "CommandButton1"});
        return Run("SetFont_main", options);
    }

    static bool Shows(const ProcessResult& run, const std::string& text)
    {
        return run.out.find(text) != std::string::npos;
    }
};

TEST_F(SetFontCommandTest, BodyTextTakesTheLatinFontAndNothingElseDoes)
{
    NewDeck({Text});
    AddTextBox(1, "TextBox 3");
    AddRectangle(1, "Rectangle 4");
    AddTable(1, "Table 5");
    SaveDeck();
    const auto run = Run("SetFont_main", {"--set", "CheckBox2=true", "--set", "CheckBox8=true", "--set",
                                          "ComboBox2=Liberation Serif", "--click", "CommandButton1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Shows(run, kAllDone)) << run.out;
    EXPECT_EQ(ShapesWhoseRuns(1, "a:latin/@typeface='Liberation Serif'"),
              (Names{"Content Placeholder 2", "TextBox 3"}));
    EXPECT_EQ(Stored("ComboBox2"), "Liberation Serif");
}

TEST_F(SetFontCommandTest, TitlesAreKnownByTheirNamesFromTheStart)
{
    const std::vector<std::tuple<std::string, Names, Names>> cases{
        {"CheckBox1", {"Title 1"}, {"标题 1"}},
        {"CheckBox2", {"Content Placeholder 2"}, {"副标题 2"}},
    };
    for (const auto& [box, slide1, slide2] : cases) {
        ForgetSettings();
        NewDeck({Text, Title});
        Shape(2, "Title 1")->SetName("标题 1");
        Shape(2, "Subtitle 2")->SetName("副标题 2");
        SaveDeck();
        EXPECT_EQ(RunFixedSize({"--set", box + "=true"}).status, 0) << box;
        EXPECT_EQ(ShapesWhoseRuns(1, kFixedSize), slide1) << box;
        EXPECT_EQ(ShapesWhoseRuns(2, kFixedSize), slide2) << box;
    }
}

TEST_F(SetFontCommandTest, TextBoxNamedFooterIsAFooterOnlyBelowHostVersion12)
{
    const std::vector<std::tuple<std::string, std::string, Names>> cases{
        {"12", "CheckBox6", {"Footer Placeholder 3"}},
        {"11", "CheckBox6", {"Footer Placeholder 3", "Footer"}},
        {"12", "CheckBox2", {"Footer"}},
    };
    for (const auto& [version, box, changed] : cases) {
        ForgetSettings();
        NewDeck({Text});
        Shape(1, "Content Placeholder 2")->SetName("Footer Placeholder 3");
        AddTextBox(1, "Footer");
        SaveDeck();
        EXPECT_EQ(RunFixedSize({"--host-version", version, "--set", box + "=true"}).status, 0);
        EXPECT_EQ(ShapesWhoseRuns(1, kFixedSize), changed) << box << " on host version " << version;
    }
}

// Writers that name placeholders otherwise (LibreOffice: "PlaceHolder N")
// give names that match no pattern: such a placeholder is known by its kind.
TEST_F(SetFontCommandTest, PlaceholdersWhoseNamesSayNothingAreKnownByTheirKind)
{
    const std::vector<std::tuple<std::string, Names>> cases{
        {"CheckBox1", {"PlaceHolder 1"}},
        {"CheckBox2", {"PlaceHolder 2"}},
        {"CheckBox6", {"PlaceHolder 3"}},
    };
    for (const auto& [box, changed] : cases) {
        ForgetSettings();
        NewDeck({Text});
        Shape(1, "Title 1")->SetName("PlaceHolder 1");
        Shape(1, "Content Placeholder 2")->SetName("PlaceHolder 2");
        SaveDeck();
        AppendShapes(deck(), "ppt/slides/slide1.xml",
                     R"(<p:sp><p:nvSpPr><p:cNvPr id="30" name="PlaceHolder 3"/><p:cNvSpPr/>)"
                     R"(<p:nvPr><p:ph type="ftr" idx="11"/></p:nvPr></p:nvSpPr><p:spPr/>)"
                     R"(<p:txBody><a:bodyPr/><a:p><a:r><a:rPr lang="en-US"/><a:t>Notice</a:t></a:r></a:p></p:txBody></p:sp>)");
        EXPECT_EQ(RunFixedSize({"--set", box + "=true"}).status, 0) << box;
        EXPECT_EQ(ShapesWhoseRuns(1, kFixedSize), changed) << box;
    }
}

TEST_F(SetFontCommandTest, GroupsAreEnteredOnlyWithCheckBox5)
{
    for (const bool enter : {false, true}) {
        ForgetSettings();
        NewDeck({Blank});
        AddTextBox(1, "A");
        AddTextBox(1, "B", 20, 100);
        Group(1, {"A", "B"}, "Pair");
        SaveDeck();
        std::vector<std::string> targets{"--set", "CheckBox2=true"};
        if (enter) {
            targets.insert(targets.end(), {"--set", "CheckBox5=true"});
        }
        EXPECT_EQ(RunFixedSize(targets).status, 0);
        EXPECT_EQ(ShapesWhoseRuns(1, kFixedSize), (enter ? Names{"A", "B"} : Names{})) << "CheckBox5 " << enter;
        EXPECT_EQ(SavedSlide(1).select_nodes("//p:grpSp/p:sp").size(), 2u);
    }
}

TEST_F(SetFontCommandTest, SizeStepIsHeldAt96AndAFixedSizeReplacesEverySize)
{
    NewDeck({Blank});
    AddTextBox(1, "Big")->TextFrame()->TextRange()->Font()->SetSize(94);
    AddTextBox(1, "Box", 20, 100);
    SaveDeck();
    auto run = Run("SetFont_main", {"--set", "CheckBox2=true", "--set", "OptionButton11=true", "--set",
                                    "ComboBox4=5", "--click", "CommandButton1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ShapesWhoseRuns(1, "@sz='9600'"), Names{"Big"});
    EXPECT_EQ(ShapesWhoseRuns(1, "@sz='1700'"), Names{"Box"});

    run = Run("SetFont_main", {"--set", "OptionButton10=true", "--set", "ComboBox3=20", "--click", "CommandButton1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ShapesWhoseRuns(1, "@sz='2000'"), (Names{"Big", "Box"})) << "CheckBox2 was kept from the first run";
}

TEST_F(SetFontCommandTest, TablesAreKnownByTypeAndEveryCellChanges)
{
    NewDeck({Blank});
    AddTable(1, "数据");
    AddTextBox(1, "Box");
    SaveDeck();
    EXPECT_EQ(RunFixedSize({"--set", "CheckBox4=true"}).status, 0);
    EXPECT_EQ(ShapesWhoseRuns(1, kFixedSize), Names{"数据"});
    EXPECT_EQ(SavedSlide(1).select_nodes("//a:tc//a:rPr[@sz='3300']").size(), 4u);
}

TEST_F(SetFontCommandTest, TopmostShapeIsPickedAndTheFirstOfEqualsWins)
{
    NewDeck({Blank, Blank});
    AddTextBox(1, "Lower", 20, 200);
    AddTextBox(1, "Top", 400, 20);
    AddTextBox(2, "First", 100, 100);
    AddTextBox(2, "Second", 300, 100);
    SaveDeck();
    EXPECT_EQ(RunFixedSize({"--set", "MultiPage1=1", "--set", "OptionButton3=true"}).status, 0);
    EXPECT_EQ(ShapesWhoseRuns(1, kFixedSize), Names{"Top"});
    EXPECT_EQ(ShapesWhoseRuns(2, kFixedSize), Names{"First"});
}

TEST_F(SetFontCommandTest, SelectedSlidesScopeWithoutASlideSelectionIsRefused)
{
    NewDeck({Blank});
    AddTextBox(1, "Box");
    SaveDeck();
    const auto written = std::filesystem::last_write_time(deck());
    const auto run = RunFixedSize({"--set", "OptionButton1=true", "--set", "CheckBox2=true", "--click",
                                   "CommandButton1", "--click", "CommandButton2"});
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_TRUE(Shows(run, "没有选定任何幻灯片！")) << run.out;
    EXPECT_FALSE(Shows(run, "字体设置完成")) << run.out;
    EXPECT_EQ(std::filesystem::last_write_time(deck()), written) << "the deck was written";
    EXPECT_EQ(Stored("CheckBox2"), "(absent)");
}

TEST_F(SetFontCommandTest, SelectedSlidesOnlyAndTheirCompletionText)
{
    NewDeck({Blank, Blank, Blank});
    for (int slide = 1; slide <= 3; ++slide) {
        AddTextBox(slide, "Box");
    }
    SaveDeck();
    const auto run = RunFixedSize({"--select", "3,2", "--set", "OptionButton1=true", "--set", "CheckBox2=true"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Shows(run, kSelectedDone)) << run.out;
    EXPECT_FALSE(Shows(run, kAllDone)) << run.out;
    EXPECT_EQ(ShapesWhoseRuns(1, kFixedSize), Names{});
    EXPECT_EQ(ShapesWhoseRuns(2, kFixedSize), Names{"Box"});
    EXPECT_EQ(ShapesWhoseRuns(3, kFixedSize), Names{"Box"});
}

}  // namespace
}  // namespace velmora::testing
