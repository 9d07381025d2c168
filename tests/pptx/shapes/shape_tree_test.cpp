#include <gtest/gtest.h>

#include "TestSlide.hpp"
#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"

namespace velmora::pptx::testing {
namespace {

using host::HostError;
namespace ShapeType = host::ShapeType;

std::string Frame(int id, const std::string& name, const std::string& data)
{
    return "<p:graphicFrame><p:nvGraphicFramePr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"" + name +
           "\"/><p:cNvGraphicFramePr/><p:nvPr/></p:nvGraphicFramePr>" + "<p:xfrm><a:off x=\"0\" y=\"0\"/>"
           "<a:ext cx=\"100\" cy=\"100\"/></p:xfrm><a:graphic><a:graphicData>" + data +
           "</a:graphicData></a:graphic></p:graphicFrame>";
}

std::string Geometry(const std::string& preset)
{
    return "<p:spPr><a:prstGeom prst=\"" + preset + "\"/></p:spPr>";
}

TEST(ShapeTree, TypeCodesFollowTheXmlKind)
{
    const auto slide = TestSlide::Make(
        Sp(2, "placeholder", "<p:spPr/>", "<p:ph type=\"title\"/>") +
        Sp(3, "text box", "<p:spPr/>", "", "<p:cNvSpPr txBox=\"1\"/>") +
        Sp(4, "callout", Geometry("wedgeRectCallout")) + Sp(5, "border callout", Geometry("borderCallout1")) +
        Sp(6, "oval", Geometry("ellipse")) +
        Sp(7, "word art", "<p:spPr/><p:txBody><a:bodyPr><a:prstTxWarp prst=\"textArchUp\"/></a:bodyPr><a:p/></p:txBody>",
           "", "<p:cNvSpPr txBox=\"1\"/>") +
        "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"8\" name=\"group\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>"
        "<p:grpSpPr/></p:grpSp>"
        "<p:pic><p:nvPicPr><p:cNvPr id=\"9\" name=\"picture\"/><p:cNvPicPr/><p:nvPr/></p:nvPicPr>"
        "<p:blipFill><a:blip r:embed=\"rId2\"/></p:blipFill><p:spPr/></p:pic>" +
        Frame(10, "table", "<a:tbl/>") + Frame(11, "diagram", "<dgm:relIds r:dm=\"rId3\"/>") +
        Frame(12, "chart", "<c:chart r:id=\"rId4\"/>") + Frame(13, "embedded", "<p:oleObj progId=\"Excel.Sheet.12\"/>") +
        Frame(14, "linked", "<p:oleObj progId=\"Word.Document.12\"><p:link/></p:oleObj>") +
        "<p:cxnSp><p:nvCxnSpPr><p:cNvPr id=\"15\" name=\"connector\"/><p:cNvCxnSpPr/><p:nvPr/></p:nvCxnSpPr>"
        "<p:spPr/></p:cxnSp>");
    const std::vector<std::pair<std::string, int>> expected = {
        {"placeholder", ShapeType::Placeholder}, {"text box", ShapeType::TextBox},
        {"callout", ShapeType::Callout},         {"border callout", ShapeType::Callout},
        {"oval", ShapeType::AutoShape},          {"word art", ShapeType::TextEffect},
        {"group", ShapeType::Group},             {"picture", ShapeType::Picture},
        {"table", ShapeType::Table},             {"diagram", ShapeType::SmartArt},
        {"chart", ShapeType::Chart},             {"embedded", ShapeType::EmbeddedOLEObject},
        {"linked", ShapeType::LinkedOLEObject},  {"connector", ShapeType::Line},
    };
    ASSERT_EQ(slide->Shapes()->Count(), static_cast<int>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto shape = slide->Shapes()->Item(static_cast<int>(i) + 1);
        EXPECT_EQ(shape->Name(), expected[i].first);
        EXPECT_EQ(shape->Type(), expected[i].second) << expected[i].first;
    }
    EXPECT_EQ(slide->Shape("embedded")->OLEFormat()->ProgID(), "Excel.Sheet.12");
    EXPECT_THROW(slide->Shape("oval")->OLEFormat(), HostError);
}

TEST(ShapeTree, ItemsByIndexAndName)
{
    const auto slide = TestSlide::Make(Sp(5, "first", "<p:spPr/>") + Sp(9, "second", "<p:spPr/>") +
                                       "<p:extLst/>" + Sp(12, "second", "<p:spPr/>"));
    const auto shapes = slide->Shapes();
    EXPECT_EQ(shapes->Count(), 3);
    EXPECT_EQ(shapes->Item(2)->Id(), 9);
    EXPECT_EQ(shapes->Item("second")->Id(), 9);
    EXPECT_THROW(shapes->Item(0), HostError);
    EXPECT_THROW(shapes->Item(4), HostError);
    EXPECT_THROW(shapes->Item("missing"), HostError);

    shapes->Item(1)->SetName("renamed");
    EXPECT_EQ(shapes->Item("renamed")->Id(), 5);
    EXPECT_GT(slide->touches, 0);
}

TEST(ShapeTree, AlternateContentCountsAsItsFirstChoice)
{
    const auto slide = TestSlide::Make(
        "<mc:AlternateContent xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\">"
        "<mc:Choice Requires=\"p14\">" + Sp(4, "choice", "<p:spPr/>") + "</mc:Choice>"
        "<mc:Fallback>" + Sp(4, "fallback", "<p:spPr/>") + "</mc:Fallback></mc:AlternateContent>");
    ASSERT_EQ(slide->Shapes()->Count(), 1);
    EXPECT_EQ(slide->Shapes()->Item(1)->Name(), "choice");

    slide->Shapes()->Item(1)->Delete();
    EXPECT_EQ(slide->Shapes()->Count(), 0);
    EXPECT_EQ(slide->Xml().find("AlternateContent"), std::string::npos);
}

TEST(ShapeTree, IndentedXmlReadsLikeCompactXml)
{
    const auto slide = TestSlide::Make(
        "\n  <p:grpSp>\n    <p:nvGrpSpPr><p:cNvPr id=\"2\" name=\"group\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>\n"
        "    <p:grpSpPr/>\n    " + Sp(3, "inner", "\n <p:spPr>\n  <a:solidFill>\n   <a:srgbClr val=\"00FF00\"/>\n"
        "  </a:solidFill>\n </p:spPr>\n <p:txBody>\n  <a:bodyPr/>\n  <a:p>\n   <a:r><a:t>one</a:t></a:r>\n"
        "   <a:br/>\n   <a:r><a:t> two</a:t></a:r>\n  </a:p>\n </p:txBody>\n") + "\n  </p:grpSp>\n");
    ASSERT_EQ(slide->Shapes()->Count(), 1);
    const auto inner = slide->Shape("group")->GroupItems()->Item(1);
    EXPECT_EQ(inner->TextFrame()->TextRange()->Text(), "one\v two");
    EXPECT_EQ(inner->Fill()->ForeColor()->RGB(), 0x00FF00);
    inner->Fill()->ForeColor()->SetRGB(0xFF0000);
    EXPECT_EQ(inner->Fill()->ForeColor()->RGB(), 0xFF0000);
    EXPECT_EQ(slide->Shape("group")->Ungroup()->Count(), 1);
}

TEST(ShapeTree, PlaceholdersInTreeOrder)
{
    const auto slide = TestSlide::Make(Sp(2, "title", "<p:spPr/>", "<p:ph type=\"title\"/>") +
                                       Sp(3, "free", "<p:spPr/>") +
                                       Sp(4, "body", "<p:spPr/>", "<p:ph idx=\"1\"/>"));
    const auto placeholders = slide->Shapes()->Placeholders();
    ASSERT_EQ(placeholders->Count(), 2);
    EXPECT_EQ(placeholders->Item(1)->Name(), "title");
    EXPECT_EQ(placeholders->Item(2)->Name(), "body");
    EXPECT_THROW(placeholders->Item(3), HostError);
}

TEST(ShapeTree, DeleteRemovesTheShapeAndReportsEveryIdThatLeft)
{
    const auto slide = TestSlide::Make(
        Sp(2, "kept", "<p:spPr/>") +
        "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"3\" name=\"group\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/>" +
        Sp(4, "inner", "<p:spPr/>") + "</p:grpSp>");
    const auto group = slide->Shape("group");
    group->Delete();
    EXPECT_EQ(slide->Shapes()->Count(), 1);
    EXPECT_EQ(slide->removed, (std::vector<unsigned>{3, 4}));
    EXPECT_THROW(group->Name(), HostError);
    EXPECT_THROW(group->Delete(), HostError);
}

TEST(ShapeTree, HiddenShapesAndSelection)
{
    const auto slide = TestSlide::Make(Sp(2, "one", "<p:spPr/>") + Sp(3, "two", "<p:spPr/>"));
    const auto one = slide->Shape("one");
    EXPECT_EQ(one->Visible(), host::TriState::True);
    one->SetVisible(host::TriState::False);
    EXPECT_EQ(one->Visible(), host::TriState::False);
    EXPECT_STREQ(slide->Find("//p:cNvPr[@name='one']").attribute("hidden").value(), "1");
    one->SetVisible(host::TriState::True);
    EXPECT_FALSE(slide->Find("//p:cNvPr[@name='one']").attribute("hidden"));
    EXPECT_THROW(one->SetVisible(5), HostError);

    one->Select(true);
    slide->Shape("two")->Select(false);
    EXPECT_EQ(slide->selected, (std::vector<std::string>{"one", "two"}));
    one->Select(true);
    EXPECT_EQ(slide->selected, (std::vector<std::string>{"one"}));
}

TEST(ShapeTree, OddXmlRaisesTheHostErrorInsteadOfCrashing)
{
    // No non-visual properties, no spPr, no text body, garbage numbers.
    const auto slide = TestSlide::Make(
        "<p:sp/>"
        "<p:sp><p:nvSpPr><p:cNvPr id=\"x\" name=\"junk\"/></p:nvSpPr><p:spPr><a:xfrm><a:off x=\"1e9\" y=\"\"/>"
        "</a:xfrm></p:spPr></p:sp>"
        "<p:graphicFrame><p:nvGraphicFramePr><p:cNvPr id=\"7\" name=\"empty frame\"/></p:nvGraphicFramePr>"
        "</p:graphicFrame>");
    const auto bare = slide->Shapes()->Item(1);
    EXPECT_EQ(bare->Name(), "");
    EXPECT_EQ(bare->Id(), 0);
    EXPECT_EQ(bare->Left(), 0);
    EXPECT_EQ(bare->TextFrame()->TextRange()->Text(), "");
    EXPECT_THROW(bare->SetName("x"), HostError);

    const auto junk = slide->Shape("junk");
    EXPECT_EQ(junk->Id(), 0);
    EXPECT_EQ(junk->Left(), 0);
    EXPECT_EQ(junk->Width(), 0);
    junk->SetWidth(72);
    EXPECT_FLOAT_EQ(junk->Width(), 72);

    const auto frame = slide->Shape("empty frame");
    EXPECT_EQ(frame->Type(), ShapeType::AutoShape);
    EXPECT_EQ(frame->HasTextFrame(), host::TriState::False);
    EXPECT_THROW(frame->TextFrame(), HostError);
    EXPECT_THROW(frame->Table(), HostError);
    EXPECT_THROW(frame->Fill(), HostError);
    EXPECT_THROW(frame->Line(), HostError);
    EXPECT_THROW(frame->GroupItems(), HostError);
    EXPECT_THROW(frame->Ungroup(), HostError);
    EXPECT_THROW(frame->OLEFormat(), HostError);
    EXPECT_THROW(frame->Copy(), HostError);
    EXPECT_THROW(frame->Export("x.png", "PNG"), HostError);
}

TEST(ShapeTree, MakeTextRangeRefusesShapesWithoutText)
{
    const auto slide = TestSlide::Make(
        Sp(2, "text", "<p:spPr/><p:txBody><a:bodyPr/><a:p><a:r><a:t>hi</a:t></a:r></a:p></p:txBody>") +
        "<p:pic><p:nvPicPr><p:cNvPr id=\"3\" name=\"picture\"/><p:cNvPicPr/><p:nvPr/></p:nvPicPr></p:pic>");
    EXPECT_EQ(MakeTextRange(slide, slide->Find("//p:sp"))->Text(), "hi");
    EXPECT_THROW(MakeTextRange(slide, slide->Find("//p:pic")), HostError);
    EXPECT_THROW(MakeShape(slide, slide->Find("//p:nvPicPr")), HostError);
}

}  // namespace
}  // namespace velmora::pptx::testing
