#include <filesystem>
#include <regex>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "host/Host.hpp"
#include "pptx/xml/Ooxml.hpp"
#include "tests/pptx/document/DeckFiles.hpp"
#include "tests/support/PackageEdit.hpp"
#include "tests/support/TempDir.hpp"

// Scheme colours and theme fonts come from the deck's own theme, through the
// colour map of the slide's master (or the slide's override of it).
namespace velmora::testing {
namespace {

namespace ooxml = pptx::ooxml;

constexpr const char* kMaster = "ppt/slideMasters/slideMaster1.xml";

// A theme as other programs write it: dk1 and lt1 as system colours, the
// East Asian fonts left empty in favour of per-script entries.
std::string Theme(const std::string& accent1, const std::string& windowText, const std::string& window,
                  const std::string& majorFonts, const std::string& minorFonts)
{
    auto color = [](const char* slot, const std::string& rgb) {
        return std::string("<a:") + slot + "><a:srgbClr val=\"" + rgb + "\"/></a:" + slot + ">";
    };
    const std::string fill = "<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill>";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
           "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" name=\"Deck Theme\">"
           "<a:themeElements><a:clrScheme name=\"Deck\">"
           "<a:dk1><a:sysClr val=\"windowText\" lastClr=\"" + windowText + "\"/></a:dk1>"
           "<a:lt1><a:sysClr val=\"window\" lastClr=\"" + window + "\"/></a:lt1>" +
           color("dk2", "44546A") + color("lt2", "E7E6E6") + color("accent1", accent1) + color("accent2", "ED7D31") +
           color("accent3", "A5A5A5") + color("accent4", "FFC000") + color("accent5", "5B9BD5") +
           color("accent6", "70AD47") + color("hlink", "0563C1") + color("folHlink", "954F72") +
           "</a:clrScheme><a:fontScheme name=\"Deck\"><a:majorFont>" + majorFonts + "</a:majorFont><a:minorFont>" +
           minorFonts + "</a:minorFont></a:fontScheme><a:fmtScheme name=\"Deck\"><a:fillStyleLst>" + fill + fill +
           fill + "</a:fillStyleLst><a:lnStyleLst><a:ln w=\"9525\">" + fill + "</a:ln><a:ln w=\"25400\">" + fill +
           "</a:ln><a:ln w=\"38100\">" + fill + "</a:ln></a:lnStyleLst><a:effectStyleLst>"
           "<a:effectStyle><a:effectLst/></a:effectStyle><a:effectStyle><a:effectLst/></a:effectStyle>"
           "<a:effectStyle><a:effectLst/></a:effectStyle></a:effectStyleLst><a:bgFillStyleLst>" + fill + fill + fill +
           "</a:bgFillStyleLst></a:fmtScheme></a:themeElements><a:objectDefaults/><a:extraClrSchemeLst/></a:theme>";
}

std::string Fonts(const std::string& latin, const std::string& eastAsian)
{
    return "<a:latin typeface=\"" + latin + "\"/><a:ea typeface=\"" + eastAsian + "\"/><a:cs typeface=\"\"/>"
           "<a:font script=\"Jpan\" typeface=\"MS Mincho\"/><a:font script=\"Hans\" typeface=\"楷体\"/>"
           "<a:font script=\"Hant\" typeface=\"新細明體\"/>";
}

void Replace(const std::filesystem::path& deck, const std::string& entry, const std::regex& pattern,
             const std::string& replacement)
{
    const std::string xml = ReadEntry(deck, entry).value();
    const std::string changed = std::regex_replace(xml, pattern, replacement);
    if (changed == xml) {
        throw std::runtime_error(entry + " has nothing to replace");
    }
    WriteEntry(deck, entry, changed);
}

struct Seen {
    host::Color accent;
    host::Color text;
    std::string name;
    std::string nameFarEast;
    std::string titleName;
    std::string titleNameFarEast;
};

Seen SeenOn(host::Slide& slide)
{
    auto shapes = slide.Shapes();
    auto text = shapes->Item("Text")->TextFrame()->TextRange()->Font();
    auto title = shapes->Placeholders()->Item(1)->TextFrame()->TextRange()->Font();
    return {shapes->Item("Accent")->Fill()->ForeColor()->RGB(),
            text->Color()->RGB(),
            text->Name(),
            text->NameFarEast(),
            title->Name(),
            title->NameFarEast()};
}

class ThemeTest : public ::testing::Test {
protected:
    // Slides with a title, a text box "Text" that takes everything from the
    // master's text styles, and a rectangle "Accent" filled by its theme style.
    void Build(int slides)
    {
        auto presentation = host_->Presentations()->Add(false);
        for (int n = 1; n <= slides; ++n) {
            auto shapes = presentation->Slides()->Add(n, host::SlideLayout::Title)->Shapes();
            shapes->Placeholders()->Item(1)->TextFrame()->TextRange()->SetText("标题 Title");
            shapes->AddTextbox(host::TextOrientation::Horizontal, 10, 80, 200, 30)->SetName("Text");
            shapes->Item("Text")->TextFrame()->TextRange()->SetText("正文 text");
            shapes->AddShape(host::AutoShapeType::Rectangle, 10, 10, 50, 50)->SetName("Accent");
        }
        presentation->SaveAs(deck_, host::SaveFormat::Presentation);
        presentation->Close();
        WriteEntry(deck_, "ppt/theme/theme1.xml",
                   Theme("123456", "202020", "FEFDFC", Fonts("Impact", "黑体"), Fonts("Georgia", "")));
        // Text drawn light on dark.
        Replace(deck_, kMaster, std::regex("bg1=\"lt1\" tx1=\"dk1\""), "bg1=\"dk1\" tx1=\"lt1\"");
    }

    Seen Open(int slide)
    {
        auto presentation = host_->Presentations()->Open(deck_, false, false, false);
        Seen seen = SeenOn(*presentation->Slides()->Item(slide));
        presentation->Close();
        return seen;
    }

    TempDir dir_;
    std::filesystem::path deck_ = dir_ / "themed.pptx";
    std::shared_ptr<host::Application> host_ = NewHost();
};

TEST_F(ThemeTest, ColoursAndFontsComeFromTheDecksThemeThroughTheMastersColourMap)
{
    Build(1);
    for (const bool pretty : {false, true}) {
        SCOPED_TRACE(pretty ? "whitespace between elements" : "compact");
        if (pretty) {
            PrettyPrintXml(deck_);
        }
        const Seen seen = Open(1);
        EXPECT_EQ(seen.accent, 0x563412) << "accent1 of the theme";
        EXPECT_EQ(seen.text, 0xFCFDFE) << "tx1 mapped to lt1, the window colour";
        EXPECT_EQ(seen.name, "Georgia");
        EXPECT_EQ(seen.nameFarEast, "楷体") << "an empty East Asian font gives the Simplified Chinese one";
        EXPECT_EQ(seen.titleName, "Impact");
        EXPECT_EQ(seen.titleNameFarEast, "黑体");
    }
}

// A second master (absolute relationship targets, as some writers use) with
// its own theme for slide 2, which also maps its colours back.
TEST_F(ThemeTest, EachSlideSeesTheThemeOfItsOwnMaster)
{
    Build(2);
    const std::string layout = "ppt/slideLayouts/slideLayout9.xml";
    const std::string master = "ppt/slideMasters/slideMaster2.xml";
    const std::string layoutId =
        AddRelatedPart(deck_, master, ooxml::rel::kSlideLayout, layout, ooxml::type::kSlideLayout,
                       ReadEntry(deck_, "ppt/slideLayouts/slideLayout1.xml").value(), true);
    const std::string masterXml = std::regex_replace(
        ReadEntry(deck_, kMaster).value(), std::regex("<p:sldLayoutIdLst>.*</p:sldLayoutIdLst>"),
        "<p:sldLayoutIdLst><p:sldLayoutId id=\"2147483700\" r:id=\"" + layoutId + "\"/></p:sldLayoutIdLst>");
    AddRelatedPart(deck_, layout, ooxml::rel::kSlideMaster, master, ooxml::type::kSlideMaster, masterXml, true);
    AddRelatedPart(deck_, master, ooxml::rel::kTheme, "ppt/theme/theme2.xml", ooxml::type::kTheme,
                   Theme("ABCDEF", "010203", "FFFFFF", Fonts("Verdana", ""), Fonts("Tahoma", "仿宋")), true);
    const std::string masterId = Relate(deck_, "ppt/presentation.xml", ooxml::rel::kSlideMaster, master, true);
    Replace(deck_, "ppt/presentation.xml", std::regex("</p:sldMasterIdLst>"),
            "<p:sldMasterId id=\"2147483699\" r:id=\"" + masterId + "\"/></p:sldMasterIdLst>");
    Replace(deck_, "ppt/slides/_rels/slide2.xml.rels", std::regex("slideLayouts/slideLayout[0-9]+\\.xml"),
            "slideLayouts/slideLayout9.xml");
    Replace(deck_, "ppt/slides/slide2.xml", std::regex("</p:cSld>"),
            "</p:cSld><p:clrMapOvr><a:overrideClrMapping bg1=\"lt1\" tx1=\"dk1\" bg2=\"lt2\" tx2=\"dk2\" "
            "accent1=\"accent1\" accent2=\"accent2\" accent3=\"accent3\" accent4=\"accent4\" accent5=\"accent5\" "
            "accent6=\"accent6\" hlink=\"hlink\" folHlink=\"folHlink\"/></p:clrMapOvr>");

    const Seen first = Open(1);
    EXPECT_EQ(first.accent, 0x563412);
    EXPECT_EQ(first.text, 0xFCFDFE);
    EXPECT_EQ(first.name, "Georgia");

    const Seen second = Open(2);
    EXPECT_EQ(second.accent, 0xEFCDAB);
    EXPECT_EQ(second.text, 0x030201) << "the slide's own map sends tx1 to dk1";
    EXPECT_EQ(second.name, "Tahoma");
    EXPECT_EQ(second.nameFarEast, "仿宋") << "the theme's own East Asian font comes before the script's";
    EXPECT_EQ(second.titleName, "Verdana");
    EXPECT_EQ(second.titleNameFarEast, "楷体");
}

TEST_F(ThemeTest, AMissingThemePartLeavesTheDefaultTheme)
{
    Build(1);
    Replace(deck_, "ppt/slideMasters/_rels/slideMaster1.xml.rels", std::regex("theme1\\.xml"), "theme9.xml");
    const Seen seen = Open(1);
    EXPECT_EQ(seen.accent, 0xBD814F);
    EXPECT_EQ(seen.text, 0xFFFFFF) << "the master's map still applies";
    EXPECT_EQ(seen.name, "Calibri");
    EXPECT_EQ(seen.nameFarEast, "+mn-ea") << "a reference the theme cannot answer stays as written";
}

}  // namespace
}  // namespace velmora::testing
