#include <gtest/gtest.h>

#include "TestSlide.hpp"
#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"

namespace velmora::pptx::testing {
namespace {

using host::HostError;
namespace TriState = host::TriState;
constexpr long long kPoint = 12700;

std::string Box(int id, const std::string& name, long long left, long long top, long long width, long long height,
                const std::string& extra = "")
{
    return Sp(id, name, "<p:spPr>" + Xfrm(left * kPoint, top * kPoint, width * kPoint, height * kPoint) + extra +
                            "</p:spPr><p:txBody><a:bodyPr/><a:p><a:r><a:t>" + name + "</a:t></a:r></a:p></p:txBody>",
              "", "<p:cNvSpPr txBox=\"1\"/>");
}

std::shared_ptr<TestSlide> ThreeBoxes()
{
    return TestSlide::Make(Box(2, "back", 0, 0, 10, 10) + Box(3, "a", 100, 50, 40, 20) + Box(4, "b", 200, 150, 60, 30) +
                           Box(5, "c", 120, 300, 20, 20));
}

TEST(Range, WritesGoToEveryMemberAndReadsAgreeOrMix)
{
    const auto slide = ThreeBoxes();
    const auto range = slide->Shapes()->Range({2, 3, 4});
    ASSERT_EQ(range->Count(), 3);
    EXPECT_EQ(range->Item(2)->Name(), "b");
    EXPECT_EQ(range->Type(), host::ShapeType::TextBox);
    EXPECT_EQ(range->HasTextFrame(), TriState::True);

    range->Fill()->ForeColor()->SetRGB(0x0000FF);
    EXPECT_EQ(slide->Find("//p:spTree").select_nodes("p:sp/p:spPr/a:solidFill/a:srgbClr[@val='FF0000']").size(), 3U);
    EXPECT_EQ(range->Fill()->Visible(), TriState::True);
    range->Line()->ForeColor()->SetRGB(0x00FF00);
    EXPECT_EQ(slide->Find("//p:spTree").select_nodes("p:sp/p:spPr/a:ln/a:solidFill").size(), 3U);

    slide->Shape("a")->SetVisible(TriState::False);
    EXPECT_EQ(range->Visible(), TriState::Mixed);
    range->SetVisible(TriState::True);
    EXPECT_EQ(range->Visible(), TriState::True);

    // The range's box spans its members; moving it moves each member.
    EXPECT_FLOAT_EQ(range->Left(), 100);
    EXPECT_FLOAT_EQ(range->Top(), 50);
    EXPECT_FLOAT_EQ(range->Width(), 160);
    EXPECT_FLOAT_EQ(range->Height(), 270);
    range->SetTop(5);
    EXPECT_FLOAT_EQ(slide->Shape("c")->Top(), 5);
    EXPECT_FLOAT_EQ(slide->Shape("back")->Top(), 0);
}

TEST(Range, SingleShapeRequestsNeedOneMember)
{
    const auto slide = ThreeBoxes();
    const auto several = slide->Shapes()->Range({1, 2});
    EXPECT_THROW(several->Name(), HostError);
    EXPECT_THROW(several->TextFrame(), HostError);
    EXPECT_THROW(several->HasTable(), HostError);
    EXPECT_THROW(several->Table(), HostError);
    EXPECT_THROW(several->GroupItems(), HostError);
    EXPECT_THROW(several->Item(3), HostError);

    const auto one = slide->Shapes()->Range({2});
    EXPECT_EQ(one->Name(), "a");
    EXPECT_EQ(one->Id(), 3);
    EXPECT_EQ(one->TextFrame()->TextRange()->Text(), "a");
    EXPECT_EQ(one->HasTable(), TriState::False);
    EXPECT_THROW(one->Group(), HostError);

    EXPECT_THROW(slide->Shapes()->Range({5}), HostError);
    EXPECT_THROW(slide->Shapes()->Range({2, 2}), HostError);
    EXPECT_EQ(slide->Shapes()->Range({})->Count(), 4);
}

TEST(Range, MixedTypesReadAsMixed)
{
    const auto slide = TestSlide::Make(Box(2, "text", 0, 0, 1, 1) + Sp(3, "shape", "<p:spPr/>"));
    EXPECT_EQ(slide->Shapes()->Range({1, 2})->Type(), host::ShapeType::Mixed);
    EXPECT_EQ(slide->Shapes()->Range({1, 2})->Fill()->Visible(), TriState::False);
}

TEST(Range, SelectAndDeleteEveryMember)
{
    const auto slide = ThreeBoxes();
    slide->Shapes()->Range({2, 4})->Select(true);
    EXPECT_EQ(slide->selected, (std::vector<std::string>{"a", "c"}));
    slide->Shapes()->Range({2, 4})->Delete();
    EXPECT_EQ(slide->Shapes()->Count(), 2);
    EXPECT_EQ(slide->removed, (std::vector<unsigned>{3, 5}));
}

TEST(Group, GroupSpansItsMembersAndKeepsTheirPlaces)
{
    const auto slide = ThreeBoxes();
    const auto group = slide->Shapes()->Range({4, 2})->Group();
    EXPECT_EQ(group->Type(), host::ShapeType::Group);
    EXPECT_EQ(group->Name(), "Group 5");
    EXPECT_EQ(group->Id(), 6);
    EXPECT_FLOAT_EQ(group->Left(), 100);
    EXPECT_FLOAT_EQ(group->Top(), 50);
    EXPECT_FLOAT_EQ(group->Width(), 40);
    EXPECT_FLOAT_EQ(group->Height(), 270);

    // The group takes the z-place of its topmost member; members keep tree order.
    const auto shapes = slide->Shapes();
    ASSERT_EQ(shapes->Count(), 3);
    EXPECT_EQ(shapes->Item(1)->Name(), "back");
    EXPECT_EQ(shapes->Item(2)->Name(), "b");
    EXPECT_EQ(shapes->Item(3)->Name(), "Group 5");
    const auto items = group->GroupItems();
    ASSERT_EQ(items->Count(), 2);
    EXPECT_EQ(items->Item(1)->Name(), "a");
    EXPECT_EQ(items->Item(2)->Name(), "c");
    EXPECT_FLOAT_EQ(items->Item(2)->Top(), 300);
    const auto xfrm = slide->Find("//p:grpSp/p:grpSpPr/a:xfrm");
    EXPECT_STREQ(xfrm.child("a:chOff").attribute("y").value(), xfrm.child("a:off").attribute("y").value());
    EXPECT_STREQ(xfrm.child("a:chExt").attribute("cx").value(), xfrm.child("a:ext").attribute("cx").value());
}

TEST(Group, UngroupReturnsTheMembersWithTheirSlidePlaces)
{
    const auto slide = ThreeBoxes();
    const auto group = slide->Shapes()->Range({2, 3, 4})->Group();
    // Moving and shrinking the group moves and shrinks its members with it.
    group->SetLeft(group->Left() + 10);
    group->SetWidth(group->Width() / 2);
    const float left = group->GroupItems()->Item(2)->Left();
    const float width = group->GroupItems()->Item(2)->Width();

    const auto members = group->Ungroup();
    ASSERT_EQ(members->Count(), 3);
    EXPECT_EQ(members->Item(2)->Name(), "b");
    EXPECT_NEAR(members->Item(2)->Left(), left, 0.01);
    EXPECT_NEAR(members->Item(2)->Width(), width, 0.01);
    EXPECT_FLOAT_EQ(members->Item(1)->Left(), 110);
    EXPECT_EQ(slide->Shapes()->Count(), 4);
    EXPECT_EQ(slide->Shapes()->Item(2)->Name(), "a");
    EXPECT_FALSE(slide->Find("//p:grpSp"));
    EXPECT_EQ(slide->removed, (std::vector<unsigned>{6}));
    EXPECT_THROW(group->GroupItems(), HostError);

    // And back again, as the colour tool does around a text colour change.
    members->Fill()->ForeColor()->SetRGB(0x00FF00);
    const auto again = members->Group();
    EXPECT_EQ(again->GroupItems()->Count(), 3);
    EXPECT_EQ(again->Fill()->ForeColor()->RGB(), 0x00FF00);
}

TEST(Group, GroupFillAndLineReachEveryMember)
{
    const auto slide = ThreeBoxes();
    const auto group = slide->Shapes()->Range({2, 3})->Group();
    group->Fill()->ForeColor()->SetRGB(0x0000FF);
    group->Line()->SetVisible(TriState::False);
    EXPECT_EQ(group->GroupItems()->Item(1)->Fill()->ForeColor()->RGB(), 0x0000FF);
    EXPECT_EQ(group->GroupItems()->Item(2)->Line()->Visible(), TriState::False);
    EXPECT_EQ(group->Fill()->Visible(), TriState::True);
}

TEST(Group, MembersFilledAsTheirGroupKeepTheLookWhenUngrouped)
{
    const auto slide = TestSlide::Make(
        "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"2\" name=\"group\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr>" +
        Xfrm(0, 0, 100, 100) + "<a:solidFill><a:srgbClr val=\"ABCDEF\"/></a:solidFill></p:grpSpPr>" +
        Sp(3, "member", "<p:spPr>" + Xfrm(0, 0, 100, 100) + "<a:grpFill/></p:spPr>") + "</p:grpSp>");
    slide->Shape("group")->Ungroup();
    EXPECT_FALSE(slide->Find("//a:grpFill"));
    EXPECT_STREQ(slide->Find("//p:sp/p:spPr/a:solidFill/a:srgbClr").attribute("val").value(), "ABCDEF");
}

TEST(Group, RangeUngroupAndRefusals)
{
    const auto slide = ThreeBoxes();
    slide->Shapes()->Range({1, 2})->Group();
    slide->Shapes()->Range({2, 3})->Group();  // "b" and "c"
    ASSERT_EQ(slide->Shapes()->Count(), 2);
    const auto members = slide->Shapes()->Range({1, 2})->Ungroup();
    EXPECT_EQ(members->Count(), 4);
    EXPECT_EQ(slide->Shapes()->Count(), 4);

    EXPECT_THROW(slide->Shapes()->Range({1, 2})->Ungroup(), HostError);
    EXPECT_THROW(slide->Shape("a")->Ungroup(), HostError);
    EXPECT_THROW(slide->Shape("a")->GroupItems(), HostError);

    // Shapes of different parents cannot be grouped together.
    const auto group = slide->Shapes()->Range({1, 2})->Group();
    const auto inner = group->GroupItems()->Item(1);
    EXPECT_THROW(MakeShapeRange(slide, {slide->Find("//p:grpSp/p:sp"), slide->Find("//p:spTree/p:sp")})->Group(),
                 HostError);
    EXPECT_EQ(inner->Name(), "back");
}

}  // namespace
}  // namespace velmora::pptx::testing
