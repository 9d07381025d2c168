#include <gtest/gtest.h>

#include "TestSlide.hpp"
#include "host/HostError.hpp"

namespace velmora::pptx::testing {
namespace {

constexpr long long kPoint = 12700;

// A group at (100 pt, 50 pt), 200 x 100 pt, whose child space is twice as
// large and starts at (1000, 1000) EMU: children are drawn at half size.
std::string ScaledGroup(const std::string& members)
{
    return "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"10\" name=\"group\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>"
           "<p:grpSpPr><a:xfrm><a:off x=\"" + std::to_string(100 * kPoint) + "\" y=\"" + std::to_string(50 * kPoint) +
           "\"/><a:ext cx=\"" + std::to_string(200 * kPoint) + "\" cy=\"" + std::to_string(100 * kPoint) +
           "\"/><a:chOff x=\"1000\" y=\"1000\"/><a:chExt cx=\"" + std::to_string(400 * kPoint) + "\" cy=\"" +
           std::to_string(200 * kPoint) + "\"/></a:xfrm></p:grpSpPr>" + members + "</p:grpSp>";
}

TEST(Geometry, PointsFromEmu)
{
    const auto slide = TestSlide::Make(Sp(2, "box", "<p:spPr>" + Xfrm(72 * kPoint, 36 * kPoint, 144 * kPoint, 18 * kPoint) +
                                                        "</p:spPr>"));
    const auto box = slide->Shape("box");
    EXPECT_FLOAT_EQ(box->Left(), 72);
    EXPECT_FLOAT_EQ(box->Top(), 36);
    EXPECT_FLOAT_EQ(box->Width(), 144);
    EXPECT_FLOAT_EQ(box->Height(), 18);

    box->SetLeft(10.5F);
    box->SetHeight(20);
    EXPECT_FLOAT_EQ(box->Left(), 10.5F);
    EXPECT_FLOAT_EQ(box->Height(), 20);
    EXPECT_STREQ(slide->Find("//a:off").attribute("x").value(), "133350");
    EXPECT_THROW(box->SetWidth(-1), host::HostError);
}

TEST(Geometry, ShapesInGroupsReportSlideCoordinates)
{
    // Child at child-space (1000 + 40 pt, 1000 + 20 pt), 80 x 60 pt: on the slide at
    // (100 + 20, 50 + 10), 40 x 30 pt.
    const auto slide = TestSlide::Make(ScaledGroup(
        Sp(11, "child", "<p:spPr>" + Xfrm(1000 + 40 * kPoint, 1000 + 20 * kPoint, 80 * kPoint, 60 * kPoint) +
                            "</p:spPr>") +
        ScaledGroup(Sp(12, "grandchild", "<p:spPr>" + Xfrm(1000, 1000, 400 * kPoint, 200 * kPoint) + "</p:spPr>"))));
    const auto group = slide->Shape("group");
    const auto child = group->GroupItems()->Item(1);
    EXPECT_NEAR(child->Left(), 120, 0.01);
    EXPECT_NEAR(child->Top(), 60, 0.01);
    EXPECT_NEAR(child->Width(), 40, 0.01);
    EXPECT_NEAR(child->Height(), 30, 0.01);

    // The inner group sits at 100 pt in the outer child space, drawn at half
    // size; its member fills the inner group's box.
    const auto inner = group->GroupItems()->Item(2);
    const auto grandchild = inner->GroupItems()->Item(1);
    EXPECT_NEAR(inner->Left(), 100 + (100.0 * kPoint - 1000) / 2 / kPoint, 0.01);
    EXPECT_NEAR(grandchild->Left(), inner->Left(), 0.01);
    EXPECT_NEAR(grandchild->Width(), 100, 0.01);
    EXPECT_NEAR(grandchild->Height(), 50, 0.01);

    child->SetLeft(150);
    child->SetWidth(20);
    EXPECT_NEAR(child->Left(), 150, 0.01);
    EXPECT_NEAR(child->Width(), 20, 0.01);
    EXPECT_NEAR(child->Top(), 60, 0.01);
}

TEST(Geometry, PlaceholderInheritsItsLayoutPlaceAndWritesItsOwnWhenMoved)
{
    const auto slide = TestSlide::Make(
        Sp(2, "Title 1", "<p:spPr/>", "<p:ph type=\"title\"/>"),
        Sp(2, "Layout Title", "<p:spPr>" + Xfrm(36 * kPoint, 20 * kPoint, 648 * kPoint, 90 * kPoint) + "</p:spPr>",
           "<p:ph type=\"title\"/>"));
    const auto title = slide->Shape("Title 1");
    EXPECT_FLOAT_EQ(title->Left(), 36);
    EXPECT_FLOAT_EQ(title->Width(), 648);
    EXPECT_FALSE(slide->Find("//p:sp/p:spPr/a:xfrm"));

    title->SetTop(100);
    EXPECT_TRUE(slide->Find("//p:sp/p:spPr/a:xfrm"));
    EXPECT_FLOAT_EQ(title->Top(), 100);
    EXPECT_FLOAT_EQ(title->Left(), 36);
    EXPECT_FLOAT_EQ(title->Height(), 90);
}

TEST(Geometry, GraphicFramesUseTheirOwnXfrm)
{
    const auto slide = TestSlide::Make(
        "<p:graphicFrame><p:nvGraphicFramePr><p:cNvPr id=\"4\" name=\"frame\"/><p:cNvGraphicFramePr/><p:nvPr/>"
        "</p:nvGraphicFramePr><a:graphic/></p:graphicFrame>");
    const auto frame = slide->Shape("frame");
    EXPECT_EQ(frame->Left(), 0);
    frame->SetLeft(5);
    EXPECT_TRUE(slide->Find("//p:graphicFrame/p:xfrm/a:off"));
    // The xfrm goes before the graphic, where the schema wants it.
    EXPECT_STREQ(slide->Find("//p:graphicFrame/p:xfrm").next_sibling().name(), "a:graphic");
    EXPECT_FLOAT_EQ(frame->Left(), 5);
}

}  // namespace
}  // namespace velmora::pptx::testing
