#include <fstream>

#include <gtest/gtest.h>

#include "TestSlide.hpp"
#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::pptx::testing {
namespace {

using host::HostError;
namespace TriState = host::TriState;

const std::string kStyled =
    "<p:style><a:lnRef idx=\"2\"><a:schemeClr val=\"accent1\"><a:shade val=\"50000\"/></a:schemeClr></a:lnRef>"
    "<a:fillRef idx=\"1\"><a:schemeClr val=\"accent1\"/></a:fillRef><a:effectRef idx=\"0\"/><a:fontRef idx=\"minor\"/>"
    "</p:style>";

TEST(Fill, ThemeStyledShapeShowsItsStyleFillUntilColoured)
{
    const auto slide = TestSlide::Make(Sp(2, "styled", "<p:spPr><a:prstGeom prst=\"rect\"/><a:ln w=\"9525\"/></p:spPr>" + kStyled));
    const auto fill = slide->Shape("styled")->Fill();
    EXPECT_EQ(fill->Visible(), TriState::True);
    EXPECT_EQ(fill->ForeColor()->RGB(), 0xBD814F);  // accent1 4F81BD of the standard theme

    fill->ForeColor()->SetRGB(0x123456);
    EXPECT_EQ(fill->ForeColor()->RGB(), 0x123456);
    EXPECT_STREQ(slide->Find("//p:spPr/a:solidFill/a:srgbClr").attribute("val").value(), "563412");
    // The fill sits between the geometry and the outline.
    EXPECT_STREQ(slide->Find("//p:spPr/a:solidFill").previous_sibling().name(), "a:prstGeom");
    EXPECT_STREQ(slide->Find("//p:spPr/a:solidFill").next_sibling().name(), "a:ln");
}

TEST(Fill, ColourReplacesAnyOtherFillAndMakesItVisible)
{
    const auto slide = TestSlide::Make(
        Sp(2, "none", "<p:spPr><a:noFill/></p:spPr>") +
        Sp(3, "gradient", "<p:spPr><a:gradFill><a:gsLst><a:gs pos=\"0\"><a:srgbClr val=\"FF0000\"/></a:gs>"
                          "</a:gsLst></a:gradFill></p:spPr>"));
    EXPECT_EQ(slide->Shape("none")->Fill()->Visible(), TriState::False);
    EXPECT_EQ(slide->Shape("gradient")->Fill()->ForeColor()->RGB(), 0x0000FF);

    for (const char* name : {"none", "gradient"}) {
        slide->Shape(name)->Fill()->ForeColor()->SetRGB(0x00FF00);
        EXPECT_EQ(slide->Shape(name)->Fill()->Visible(), TriState::True) << name;
    }
    EXPECT_FALSE(slide->Find("//a:noFill"));
    EXPECT_FALSE(slide->Find("//a:gradFill"));
}

TEST(Fill, VisibleOnAndOff)
{
    const auto slide = TestSlide::Make(Sp(2, "text box", "<p:spPr/>", "", "<p:cNvSpPr txBox=\"1\"/>"));
    const auto fill = slide->Shape("text box")->Fill();
    EXPECT_EQ(fill->Visible(), TriState::False);
    fill->SetVisible(TriState::True);
    EXPECT_EQ(fill->Visible(), TriState::True);
    EXPECT_TRUE(slide->Find("//p:spPr/a:solidFill"));
    fill->SetVisible(TriState::False);
    EXPECT_EQ(fill->Visible(), TriState::False);
    EXPECT_TRUE(slide->Find("//p:spPr/a:noFill"));
    EXPECT_FALSE(slide->Find("//p:spPr/a:solidFill"));
}

TEST(Fill, TransparencyIsTheColoursAlphaAndSurvivesRecolouring)
{
    const auto slide = TestSlide::Make(Sp(2, "box", "<p:spPr><a:solidFill><a:schemeClr val=\"bg1\"><a:lumMod val=\"50000\"/>"
                                                    "</a:schemeClr></a:solidFill></p:spPr>"));
    const auto fill = slide->Shape("box")->Fill();
    EXPECT_EQ(fill->ForeColor()->RGB(), 0x808080);
    EXPECT_FLOAT_EQ(fill->Transparency(), 0);
    fill->SetTransparency(0.25F);
    EXPECT_NEAR(fill->Transparency(), 0.25, 1e-6);
    EXPECT_EQ(slide->Find("//a:alpha").attribute("val").as_int(), 75000);
    fill->ForeColor()->SetRGB(0xFF);
    EXPECT_NEAR(fill->Transparency(), 0.25, 1e-6);
    fill->SetTransparency(0);
    EXPECT_FALSE(slide->Find("//a:alpha"));
    EXPECT_THROW(fill->SetTransparency(1.5F), HostError);
}

TEST(Fill, UserPictureFillsWithTheImageAndTakesTransparency)
{
    velmora::testing::TempDir folder;
    const auto picture = folder / "mark.png";
    std::ofstream(picture) << "png";
    const auto slide = TestSlide::Make(Sp(2, "box", "<p:spPr><a:solidFill><a:srgbClr val=\"000000\"/></a:solidFill></p:spPr>"));
    const auto fill = slide->Shape("box")->Fill();
    fill->UserPicture(picture);
    EXPECT_EQ(slide->images, (std::vector<std::filesystem::path>{picture}));
    EXPECT_STREQ(slide->Find("//p:spPr/a:blipFill/a:blip").attribute("r:embed").value(), "rIdImage1");
    EXPECT_FALSE(slide->Find("//p:spPr/a:solidFill"));

    fill->SetTransparency(0.4F);
    EXPECT_EQ(slide->Find("//a:blip/a:alphaModFix").attribute("amt").as_int(), 60000);
    EXPECT_NEAR(fill->Transparency(), 0.4, 1e-6);
    EXPECT_THROW(fill->UserPicture(folder / "missing.png"), HostError);
}

TEST(Line, VisibleAndColour)
{
    const auto slide = TestSlide::Make(Sp(2, "plain", "<p:spPr/>") + Sp(3, "styled", "<p:spPr/>" + kStyled) +
                                       Sp(4, "dashed", "<p:spPr><a:ln><a:prstDash val=\"dash\"/></a:ln></p:spPr>"));
    const auto plain = slide->Shape("plain")->Line();
    EXPECT_EQ(plain->Visible(), TriState::False);
    plain->ForeColor()->SetRGB(0x0000FF);
    EXPECT_EQ(plain->Visible(), TriState::True);
    EXPECT_EQ(plain->ForeColor()->RGB(), 0x0000FF);
    // Without a theme style to give it a width, a new outline is 1 pt.
    EXPECT_STREQ(slide->Find("//p:sp[1]//a:ln").attribute("w").value(), "12700");

    const auto styled = slide->Shape("styled")->Line();
    EXPECT_EQ(styled->Visible(), TriState::True);
    styled->SetVisible(TriState::False);
    EXPECT_EQ(styled->Visible(), TriState::False);
    EXPECT_TRUE(slide->Find("//p:sp[2]//a:ln/a:noFill"));
    EXPECT_FALSE(slide->Find("//p:sp[2]//a:ln").attribute("w"));
    styled->SetVisible(TriState::True);
    EXPECT_EQ(styled->Visible(), TriState::True);

    // The line fill goes before the dash style.
    slide->Shape("dashed")->Line()->ForeColor()->SetRGB(0);
    EXPECT_STREQ(slide->Find("//p:sp[3]//a:ln").first_child().name(), "a:solidFill");
}

TEST(Fill, ChartsAndDiagramsHaveNoFillOrLine)
{
    const auto slide = TestSlide::Make(
        "<p:graphicFrame><p:nvGraphicFramePr><p:cNvPr id=\"2\" name=\"chart\"/><p:cNvGraphicFramePr/><p:nvPr/>"
        "</p:nvGraphicFramePr><a:graphic><a:graphicData><c:chart/></a:graphicData></a:graphic></p:graphicFrame>");
    EXPECT_THROW(slide->Shape("chart")->Fill(), HostError);
    EXPECT_THROW(slide->Shape("chart")->Line(), HostError);
}

}  // namespace
}  // namespace velmora::pptx::testing
