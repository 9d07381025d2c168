#include <gtest/gtest.h>

#include "TestSlide.hpp"
#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "platform/FontMetrics.hpp"

namespace velmora::pptx::testing {
namespace {

using host::HostError;
namespace TriState = host::TriState;

std::string TextShape(int id, const std::string& name, const std::string& paragraphs, const std::string& nvExtra = "",
                      const std::string& listStyle = "<a:lstStyle/>")
{
    return Sp(id, name, "<p:spPr/><p:txBody><a:bodyPr/>" + listStyle + paragraphs + "</p:txBody>", nvExtra);
}

TEST(Text, ParagraphsJoinWithReturnAndBreaksReadAsVerticalTab)
{
    const auto slide = TestSlide::Make(TextShape(
        2, "text",
        "<a:p><a:r><a:t>one </a:t></a:r><a:r><a:t>two</a:t></a:r><a:br/><a:r><a:t>three</a:t></a:r></a:p>"
        "<a:p/><a:p><a:fld type=\"slidenum\"><a:t>7</a:t></a:fld></a:p>"));
    const auto frame = slide->Shape("text")->TextFrame();
    EXPECT_TRUE(frame->HasText());
    EXPECT_EQ(frame->TextRange()->Text(), "one two\vthree\r\r7");
}

TEST(Text, SetTextKeepsTheFirstRunsFormattingAndFirstParagraphsProperties)
{
    const auto slide = TestSlide::Make(TextShape(
        2, "text",
        "<a:p><a:pPr algn=\"ctr\"/><a:r><a:rPr sz=\"2400\" b=\"1\"/><a:t>old</a:t></a:r>"
        "<a:r><a:rPr sz=\"1000\"/><a:t>small</a:t></a:r></a:p><a:p><a:r><a:t>second</a:t></a:r></a:p>"));
    const auto range = slide->Shape("text")->TextFrame()->TextRange();
    range->SetText("first\rsecond line\vbroken\r\nthird");
    EXPECT_EQ(range->Text(), "first\rsecond line\vbroken\rthird");
    EXPECT_FLOAT_EQ(range->Font()->Size(), 24);
    EXPECT_EQ(range->Font()->Bold(), TriState::True);
    EXPECT_EQ(range->ParagraphFormat()->Alignment(), host::Alignment::Center);
    EXPECT_EQ(slide->Find("//a:br/a:rPr").attribute("sz").as_int(), 2400);
    EXPECT_GT(slide->touches, 0);
}

TEST(Text, EmptyTextLeavesOneParagraphWithItsEndProperties)
{
    const auto slide = TestSlide::Make(TextShape(2, "text", "<a:p><a:r><a:rPr sz=\"1400\"/><a:t>gone</a:t></a:r></a:p>"));
    const auto range = slide->Shape("text")->TextFrame()->TextRange();
    range->SetText("");
    EXPECT_EQ(range->Text(), "");
    EXPECT_FALSE(slide->Shape("text")->TextFrame()->HasText());
    const auto paragraphs = slide->Find("//p:txBody").select_nodes("a:p");
    ASSERT_EQ(paragraphs.size(), 1U);
    EXPECT_EQ(paragraphs.first().node().child("a:endParaRPr").attribute("sz").as_int(), 1400);
    // The size still reads back through the paragraph end.
    EXPECT_FLOAT_EQ(range->Font()->Size(), 14);
}

TEST(Text, ControlCharactersAreDroppedAndTabsKept)
{
    const auto slide = TestSlide::Make(TextShape(2, "text", "<a:p/>"));
    const auto range = slide->Shape("text")->TextFrame()->TextRange();
    range->SetText(std::string("a\tb") + '\x01' + "c");
    EXPECT_EQ(range->Text(), "a\tbc");
}

TEST(Text, ShapeWithoutTextBodyGetsOneOnFirstWrite)
{
    const auto slide = TestSlide::Make(Sp(2, "bare", "<p:spPr/><p:extLst/>"));
    const auto range = slide->Shape("bare")->TextFrame()->TextRange();
    EXPECT_EQ(range->Text(), "");
    range->SetText("hello");
    EXPECT_EQ(range->Text(), "hello");
    // p:txBody goes before the shape's extension list.
    EXPECT_STREQ(slide->Find("//p:txBody").next_sibling().name(), "p:extLst");
}

TEST(Text, ShapesWithoutTextFramesRefuseIt)
{
    const auto slide = TestSlide::Make(
        "<p:pic><p:nvPicPr><p:cNvPr id=\"2\" name=\"picture\"/><p:cNvPicPr/><p:nvPr/></p:nvPicPr><p:spPr/></p:pic>"
        "<p:cxnSp><p:nvCxnSpPr><p:cNvPr id=\"3\" name=\"line\"/><p:cNvCxnSpPr/><p:nvPr/></p:nvCxnSpPr><p:spPr/></p:cxnSp>"
        "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"4\" name=\"group\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/>"
        "</p:grpSp>");
    for (const char* name : {"picture", "line", "group"}) {
        const auto shape = slide->Shape(name);
        EXPECT_EQ(shape->HasTextFrame(), TriState::False) << name;
        EXPECT_THROW(shape->TextFrame(), HostError) << name;
        EXPECT_THROW(shape->TextEffect(), HostError) << name;
    }
}

TEST(Font, WritesReachEveryRunAndParagraphEnd)
{
    const auto slide = TestSlide::Make(TextShape(
        2, "text",
        "<a:p><a:r><a:rPr sz=\"1200\"><a:latin typeface=\"Old\" panose=\"020F0502020204030204\"/></a:rPr><a:t>a</a:t>"
        "</a:r><a:r><a:t>b</a:t></a:r><a:endParaRPr/></a:p><a:p><a:r><a:t>c</a:t></a:r></a:p>"));
    const auto font = slide->Shape("text")->TextFrame()->TextRange()->Font();
    font->SetName("Arial");
    font->SetNameFarEast("SimSun");
    font->SetNameComplexScript("Mangal");
    font->SetSize(20.5F);
    font->SetBold(TriState::True);
    font->SetItalic(TriState::True);
    font->SetUnderline(TriState::True);
    font->Color()->SetRGB(0x0000FF);

    for (const auto& found : slide->Find("//p:txBody").select_nodes(".//a:rPr | .//a:endParaRPr")) {
        const auto properties = found.node();
        EXPECT_STREQ(properties.child("a:latin").attribute("typeface").value(), "Arial");
        EXPECT_FALSE(properties.child("a:latin").attribute("panose"));
        EXPECT_STREQ(properties.child("a:ea").attribute("typeface").value(), "SimSun");
        EXPECT_STREQ(properties.child("a:cs").attribute("typeface").value(), "Mangal");
        EXPECT_STREQ(properties.attribute("sz").value(), "2050");
        EXPECT_STREQ(properties.attribute("u").value(), "sng");
        EXPECT_STREQ(properties.child("a:solidFill").child("a:srgbClr").attribute("val").value(), "FF0000");
        // Fill comes before the typefaces in character properties.
        EXPECT_STREQ(properties.first_child().name(), "a:solidFill");
    }
    EXPECT_EQ(font->Name(), "Arial");
    EXPECT_EQ(font->NameAscii(), "Arial");
    EXPECT_EQ(font->NameOther(), "Arial");
    EXPECT_EQ(font->NameFarEast(), "SimSun");
    EXPECT_EQ(font->NameComplexScript(), "Mangal");
    EXPECT_FLOAT_EQ(font->Size(), 20.5F);
    EXPECT_EQ(font->Italic(), TriState::True);
    EXPECT_EQ(font->Underline(), TriState::True);
    EXPECT_EQ(font->Color()->RGB(), 0x0000FF);

    font->SetUnderline(TriState::False);
    EXPECT_EQ(font->Underline(), TriState::False);
    EXPECT_STREQ(slide->Find("//a:rPr").attribute("u").value(), "none");
}

TEST(Font, ShadowIsAddedOnceAndRemoved)
{
    const auto slide = TestSlide::Make(TextShape(2, "text", "<a:p><a:r><a:t>x</a:t></a:r></a:p>"));
    const auto font = slide->Shape("text")->TextFrame()->TextRange()->Font();
    EXPECT_EQ(font->Shadow(), TriState::False);
    font->SetShadow(TriState::True);
    font->SetShadow(TriState::True);
    EXPECT_EQ(font->Shadow(), TriState::True);
    EXPECT_EQ(slide->Find("//a:r/a:rPr/a:effectLst").select_nodes("a:outerShdw").size(), 1U);
    font->SetShadow(TriState::False);
    EXPECT_EQ(font->Shadow(), TriState::False);
    EXPECT_FALSE(slide->Find("//a:outerShdw"));
}

TEST(Font, DifferingRunsReadAsMixed)
{
    const auto slide = TestSlide::Make(TextShape(
        2, "text",
        "<a:p><a:r><a:rPr sz=\"1200\" b=\"1\"><a:latin typeface=\"A\"/></a:rPr><a:t>a</a:t></a:r>"
        "<a:r><a:rPr sz=\"1400\" b=\"0\"><a:latin typeface=\"B\"/></a:rPr><a:t>b</a:t></a:r></a:p>"));
    const auto font = slide->Shape("text")->TextFrame()->TextRange()->Font();
    EXPECT_EQ(font->Name(), "");
    EXPECT_FLOAT_EQ(font->Size(), host::FontSize::Mixed);
    EXPECT_EQ(font->Bold(), TriState::Mixed);
    EXPECT_EQ(font->Italic(), TriState::False);
}

TEST(Font, EachRunReadsAndWritesItsOwnFont)
{
    const auto slide = TestSlide::Make(TextShape(
        2, "text",
        "<a:p><a:r><a:rPr sz=\"2800\"/><a:t>big</a:t></a:r><a:br/><a:r><a:t>small</a:t></a:r></a:p>"
        "<a:p><a:fld type=\"slidenum\"><a:rPr sz=\"1000\"/><a:t>7</a:t></a:fld></a:p>"));
    const auto range = slide->Shape("text")->TextFrame()->TextRange();
    ASSERT_EQ(range->RunCount(), 3);
    EXPECT_EQ(range->Runs(2)->Text(), "small");
    EXPECT_FLOAT_EQ(range->Runs(2)->Font()->Size(), 18) << "inherited";
    range->Runs(2)->Font()->SetSize(14);
    EXPECT_FLOAT_EQ(range->Runs(1)->Font()->Size(), 28);
    EXPECT_FLOAT_EQ(range->Runs(2)->Font()->Size(), 14);
    EXPECT_FLOAT_EQ(range->Runs(3)->Font()->Size(), 10);
    EXPECT_EQ(range->Runs(3)->RunCount(), 1);
    EXPECT_THROW(range->Runs(4), HostError);
    EXPECT_THROW(range->Runs(1)->SetText("x"), HostError);
    EXPECT_EQ(range->Text(), "big\vsmall\r7");
}

TEST(Font, UnsetPropertiesInheritThroughListStylesPlaceholdersAndMaster)
{
    const auto slide = TestSlide::Make(
        TextShape(2, "Title 1", "<a:p><a:r><a:t>title</a:t></a:r></a:p>", "<p:ph type=\"title\"/>") +
            TextShape(3, "Body 2",
                      "<a:p><a:r><a:t>level one</a:t></a:r></a:p>"
                      "<a:p><a:pPr lvl=\"1\"/><a:r><a:t>level two</a:t></a:r></a:p>",
                      "<p:ph idx=\"1\"/>") +
            TextShape(4, "Body 3", "<a:p><a:r><a:t>laid out</a:t></a:r></a:p>", "<p:ph type=\"body\" idx=\"2\"/>") +
            TextShape(5, "own style", "<a:p><a:r><a:t>styled</a:t></a:r></a:p>", "",
                      "<a:lstStyle><a:lvl1pPr algn=\"r\"><a:defRPr sz=\"1100\" i=\"1\"/></a:lvl1pPr></a:lstStyle>") +
            TextShape(6, "plain", "<a:p><a:r><a:t>plain</a:t></a:r></a:p>"),
        TextShape(2, "Layout Body", "<a:p/>", "<p:ph type=\"body\" idx=\"2\"/>",
                  "<a:lstStyle><a:lvl1pPr><a:defRPr sz=\"2000\"/></a:lvl1pPr></a:lstStyle>"));

    const auto title = slide->Shape("Title 1")->TextFrame()->TextRange()->Font();
    EXPECT_FLOAT_EQ(title->Size(), 44);
    EXPECT_EQ(title->Bold(), TriState::True);
    EXPECT_EQ(title->Name(), "Title Face");

    // Levels one and two of the master body style differ.
    const auto body = slide->Shape("Body 2")->TextFrame()->TextRange();
    EXPECT_FLOAT_EQ(body->Font()->Size(), host::FontSize::Mixed);
    EXPECT_EQ(body->Font()->Color()->RGB(), 0x332211);
    EXPECT_EQ(body->Font()->Bold(), TriState::False);

    EXPECT_FLOAT_EQ(slide->Shape("Body 3")->TextFrame()->TextRange()->Font()->Size(), 20);

    const auto styled = slide->Shape("own style")->TextFrame()->TextRange();
    EXPECT_FLOAT_EQ(styled->Font()->Size(), 11);
    EXPECT_EQ(styled->Font()->Italic(), TriState::True);
    EXPECT_EQ(styled->ParagraphFormat()->Alignment(), host::Alignment::Right);

    const auto plain = slide->Shape("plain")->TextFrame()->TextRange()->Font();
    EXPECT_FLOAT_EQ(plain->Size(), 18);
    EXPECT_EQ(plain->Name(), "");
    EXPECT_EQ(plain->Color()->RGB(), 0);

    // An own value wins over inheritance.
    title->SetSize(30);
    EXPECT_FLOAT_EQ(title->Size(), 30);
}

TEST(Font, RefusedValues)
{
    const auto slide = TestSlide::Make(TextShape(2, "text", "<a:p><a:r><a:t>x</a:t></a:r></a:p>"));
    const auto font = slide->Shape("text")->TextFrame()->TextRange()->Font();
    EXPECT_THROW(font->SetSize(0.5F), HostError);
    EXPECT_THROW(font->SetSize(4001), HostError);
    EXPECT_THROW(font->SetName(""), HostError);
    EXPECT_THROW(font->SetBold(3), HostError);
    EXPECT_THROW(font->Color()->SetRGB(-1), HostError);
    EXPECT_THROW(font->Color()->SetRGB(0x1000000), HostError);
    EXPECT_FLOAT_EQ(font->Size(), 18);
}

TEST(Font, TextEffectSetsOneTypefaceForEveryScript)
{
    const auto slide = TestSlide::Make(TextShape(2, "WordArt 1", "<a:p><a:r><a:t>art</a:t></a:r></a:p>"));
    const auto effect = slide->Shape("WordArt 1")->TextEffect();
    effect->SetFontName("KaiTi");
    effect->SetFontSize(40);
    effect->SetFontBold(TriState::True);
    effect->SetFontItalic(TriState::False);
    EXPECT_EQ(effect->FontName(), "KaiTi");
    EXPECT_FLOAT_EQ(effect->FontSize(), 40);
    EXPECT_EQ(effect->FontBold(), TriState::True);
    EXPECT_EQ(effect->FontItalic(), TriState::False);
    const auto font = slide->Shape("WordArt 1")->TextFrame()->TextRange()->Font();
    EXPECT_EQ(font->NameFarEast(), "KaiTi");
    EXPECT_EQ(font->NameComplexScript(), "KaiTi");
}

TEST(Text, SelectionOfShapesSpansEveryTextBodyAndGroupMember)
{
    const auto slide = TestSlide::Make(
        "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"2\" name=\"group\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/>" +
        TextShape(3, "one", "<a:p><a:r><a:rPr sz=\"1200\"/><a:t>one</a:t></a:r></a:p>") +
        TextShape(4, "two", "<a:p><a:r><a:rPr sz=\"1200\"/><a:t>two</a:t></a:r></a:p>") + "</p:grpSp>" +
        TextShape(5, "three", "<a:p><a:r><a:rPr sz=\"1400\"/><a:t>three</a:t></a:r></a:p>") +
        "<p:pic><p:nvPicPr><p:cNvPr id=\"6\" name=\"picture\"/><p:cNvPicPr/><p:nvPr/></p:nvPicPr></p:pic>");
    const auto range =
        MakeTextRange(slide, std::vector<pugi::xml_node>{slide->Find("//p:grpSp"), slide->Find("//p:spTree/p:sp"),
                                                         slide->Find("//p:pic")});
    EXPECT_EQ(range->Text(), "one\rtwo\rthree");
    EXPECT_FLOAT_EQ(range->Font()->Size(), host::FontSize::Mixed);
    range->Font()->Color()->SetRGB(0x00FF00);
    range->ParagraphFormat()->SetAlignment(host::Alignment::Right);
    for (const char* name : {"one", "two", "three"}) {
        const auto text = MakeTextRange(slide, slide->Find(std::string("//p:sp[p:nvSpPr/p:cNvPr/@name='") + name + "']"));
        EXPECT_EQ(text->Font()->Color()->RGB(), 0x00FF00) << name;
        EXPECT_EQ(text->ParagraphFormat()->Alignment(), host::Alignment::Right) << name;
    }
    EXPECT_THROW(range->SetText("x"), HostError);
    EXPECT_THROW(MakeTextRange(slide, std::vector<pugi::xml_node>{slide->Find("//p:pic")}), HostError);
}

TEST(Paragraphs, AlignmentWritesEveryParagraph)
{
    const auto slide = TestSlide::Make(TextShape(2, "text", "<a:p><a:r><a:t>a</a:t></a:r></a:p><a:p><a:pPr algn=\"r\"/></a:p>"));
    const auto format = slide->Shape("text")->TextFrame()->TextRange()->ParagraphFormat();
    EXPECT_EQ(format->Alignment(), -2);
    format->SetAlignment(host::Alignment::Center);
    EXPECT_EQ(format->Alignment(), host::Alignment::Center);
    EXPECT_EQ(slide->Find("//p:txBody").select_nodes("a:p/a:pPr[@algn='ctr']").size(), 2U);
    EXPECT_THROW(format->SetAlignment(0), HostError);
}

TEST(TextFrame, WordWrapAndAutoSize)
{
    const auto slide = TestSlide::Make(
        TextShape(2, "text", "<a:p><a:r><a:t>x</a:t></a:r></a:p>") +
        TextShape(3, "Body", "<a:p/>", "<p:ph idx=\"1\"/>"),
        Sp(2, "Layout", "<p:spPr/><p:txBody><a:bodyPr><a:normAutofit/></a:bodyPr><a:p/></p:txBody>", "<p:ph idx=\"1\"/>"));
    const auto frame = slide->Shape("text")->TextFrame();
    EXPECT_EQ(frame->WordWrap(), TriState::True);
    EXPECT_EQ(frame->AutoSize(), host::AutoSize::None);
    frame->SetWordWrap(TriState::False);
    EXPECT_EQ(frame->WordWrap(), TriState::False);
    EXPECT_STREQ(slide->Find("//a:bodyPr").attribute("wrap").value(), "none");
    frame->SetAutoSize(host::AutoSize::ShapeToFitText);
    EXPECT_EQ(frame->AutoSize(), host::AutoSize::ShapeToFitText);
    EXPECT_TRUE(slide->Find("//a:bodyPr/a:spAutoFit"));
    frame->SetAutoSize(host::AutoSize::None);
    EXPECT_EQ(frame->AutoSize(), host::AutoSize::None);
    EXPECT_FALSE(slide->Find("//a:bodyPr/a:spAutoFit"));
    EXPECT_THROW(frame->SetAutoSize(7), HostError);

    EXPECT_EQ(slide->Shape("Body")->TextFrame()->AutoSize(), 2);
}

TEST(TextFrame, ShapeToFitTextGrowsWithTheText)
{
    const auto slide = TestSlide::Make(
        Sp(2, "box", "<p:spPr>" + Xfrm(0, 0, 120 * 12700, 40 * 12700) + "</p:spPr><p:txBody><a:bodyPr wrap=\"none\">"
                     "<a:spAutoFit/></a:bodyPr><a:p/></p:txBody>"));
    const auto box = slide->Shape("box");
    const auto range = box->TextFrame()->TextRange();
    range->SetText("short");
    range->Font()->SetSize(18);
    // The theme's Calibri as fontconfig gives it, with insets of 3.6 points above and below.
    const double line = platform::MeasureText("Calibri", 18, "").height;
    const float oneLine = box->Height();
    const float shortWidth = box->Width();
    EXPECT_NEAR(oneLine, line + 7.2, 0.01);
    EXPECT_NEAR(shortWidth, platform::MeasureText("Calibri", 18, "short").width + 14.4, 0.01);

    range->SetText("a much longer line of text");
    EXPECT_GT(box->Width(), shortWidth);
    range->SetText("two\rlines");
    EXPECT_NEAR(box->Height(), 2 * line + 7.2, 0.01);

    // Changes that leave the extent alone keep the size the shape has.
    box->SetWidth(300);
    range->Font()->SetName("Courier New");
    range->Font()->SetBold(TriState::True);
    EXPECT_FLOAT_EQ(box->Width(), 300);

    // Wide characters take a full em each in the CJK fallback font.
    range->SetText("\xE6\xB0\xB4\xE5\x8D\xB0");  // two CJK characters
    EXPECT_NEAR(box->Width(), 2 * 18 + 14.4, 0.5);
}

}  // namespace
}  // namespace velmora::pptx::testing
