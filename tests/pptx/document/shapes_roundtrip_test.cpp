#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/Host.hpp"
#include "host/HostError.hpp"
#include "pptx/DocumentHost.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::pptx {
namespace {

namespace TriState = host::TriState;

// A 1 x 1 pixel PNG.
void WritePixel(const std::filesystem::path& file)
{
    const unsigned char png[] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
                                 0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00,
                                 0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00, 0x00, 0x00, 0x0A, 0x49, 0x44, 0x41, 0x54, 0x78,
                                 0x9C, 0x63, 0x00, 0x01, 0x00, 0x00, 0x05, 0x00, 0x01, 0x0D, 0x0A, 0x2D, 0xB4, 0x00,
                                 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(png), sizeof png);
}

class ShapesRoundTrip : public ::testing::Test {
protected:
    host::Ref<host::Presentation> Reopen()
    {
        presentation_->SaveAs(file_, host::SaveFormat::Presentation);
        presentation_->Close();
        presentation_ = app_->Presentations()->Open(file_, false, false, false);
        return presentation_;
    }

    host::Ref<host::Shapes> Shapes() { return presentation_->Slides()->Item(1)->Shapes(); }

    velmora::testing::TempDir folder_;
    std::filesystem::path file_ = folder_ / "shapes.pptx";
    std::shared_ptr<host::Application> app_ = CreateDocumentHost(host::Services{});
    host::Ref<host::Presentation> presentation_ = app_->Presentations()->Add(false);
};

TEST_F(ShapesRoundTrip, TextFontsAndPlaceholdersSurviveSaving)
{
    auto slide = presentation_->Slides()->Add(1, host::SlideLayout::Text);
    auto title = slide->Shapes()->Placeholders()->Item(1);
    EXPECT_EQ(title->Type(), host::ShapeType::Placeholder);
    // The title inherits its place and size from the layout.
    EXPECT_GT(title->Width(), 0);
    EXPECT_GT(title->TextFrame()->TextRange()->Font()->Size(), 0);
    title->TextFrame()->TextRange()->SetText("标题\rsecond");
    title->TextFrame()->TextRange()->Font()->SetNameFarEast("黑体");
    title->TextFrame()->TextRange()->Font()->SetSize(40);
    title->SetTop(title->Top() + 10);

    auto box = slide->Shapes()->AddTextbox(host::TextOrientation::Horizontal, 50, 400, 200, 40);
    box->TextFrame()->TextRange()->SetText("line\vbreak");
    box->TextFrame()->TextRange()->Font()->SetBold(TriState::True);
    box->TextFrame()->TextRange()->Font()->Color()->SetRGB(0x0000FF);
    const float titleTop = title->Top();

    Reopen();
    auto shapes = Shapes();
    title = shapes->Placeholders()->Item(1);
    EXPECT_EQ(title->TextFrame()->TextRange()->Text(), "标题\rsecond");
    EXPECT_EQ(title->TextFrame()->TextRange()->Font()->NameFarEast(), "黑体");
    EXPECT_FLOAT_EQ(title->TextFrame()->TextRange()->Font()->Size(), 40);
    EXPECT_FLOAT_EQ(title->Top(), titleTop);
    box = shapes->Item("TextBox " + std::to_string(box->Id() - 1));
    EXPECT_EQ(box->Type(), host::ShapeType::TextBox);
    EXPECT_EQ(box->TextFrame()->TextRange()->Text(), "line\vbreak");
    EXPECT_EQ(box->TextFrame()->TextRange()->Font()->Bold(), TriState::True);
    EXPECT_EQ(box->TextFrame()->TextRange()->Font()->Color()->RGB(), 0x0000FF);
}

TEST_F(ShapesRoundTrip, FillsTablesPicturesAndGroupsSurviveSaving)
{
    WritePixel(folder_ / "pixel.png");
    auto shapes = presentation_->Slides()->Add(1, host::SlideLayout::Blank)->Shapes();
    auto rectangle = shapes->AddShape(host::AutoShapeType::Rectangle, 100, 100, 50, 50);
    rectangle->Fill()->ForeColor()->SetRGB(0x00FF00);
    rectangle->Fill()->SetTransparency(0.5F);
    auto oval = shapes->AddShape(host::AutoShapeType::Oval, 200, 150, 50, 50);
    oval->Line()->SetVisible(TriState::False);
    auto picture = shapes->AddPicture(folder_ / "pixel.png", 0, -1, 10, 10);
    EXPECT_FLOAT_EQ(picture->Width(), 0.75F);
    auto table = shapes->AddTable(2, 2, 300, 300, 200, 80);
    table->Table()->Cell(2, 1)->Shape()->TextFrame()->TextRange()->SetText("cell");
    table->Table()->Cell(1, 2)->Borders()->Item(host::BorderType::Right)->ForeColor()->SetRGB(0xFF0000);
    auto group = shapes->Range({1, 2})->Group();
    const std::string groupName = group->Name();

    Reopen();
    shapes = Shapes();
    ASSERT_EQ(shapes->Count(), 3);
    // The group took the place of its topmost member, below the later shapes.
    EXPECT_EQ(shapes->Item(1)->Name(), groupName);
    EXPECT_EQ(shapes->Item(2)->Type(), host::ShapeType::Picture);
    table = shapes->Item(3);
    EXPECT_EQ(table->Table()->Cell(2, 1)->Shape()->TextFrame()->TextRange()->Text(), "cell");
    EXPECT_EQ(table->Table()->Cell(1, 2)->Borders()->Item(host::BorderType::Right)->ForeColor()->RGB(), 0xFF0000);
    group = shapes->Item(groupName);
    EXPECT_EQ(group->GroupItems()->Count(), 2);
    EXPECT_FLOAT_EQ(group->Left(), 100);
    EXPECT_FLOAT_EQ(group->Width(), 150);

    const auto members = group->Ungroup();
    EXPECT_FLOAT_EQ(members->Item(2)->Left(), 200);
    EXPECT_FLOAT_EQ(members->Item(2)->Top(), 150);
    EXPECT_EQ(members->Item(1)->Fill()->ForeColor()->RGB(), 0x00FF00);
    EXPECT_NEAR(members->Item(1)->Fill()->Transparency(), 0.5, 1e-6);
    EXPECT_EQ(members->Item(2)->Line()->Visible(), TriState::False);
}

TEST_F(ShapesRoundTrip, NotesBodyTextAndDeletingShapes)
{
    auto slide = presentation_->Slides()->Add(1, host::SlideLayout::Title);
    slide->NotesPage()->Shapes()->Placeholders()->Item(2)->TextFrame()->TextRange()->SetText("one\rtwo");
    slide->Shapes()->AddShape(host::AutoShapeType::Rectangle, 0, 0, 10, 10)->Delete();
    const int count = slide->Shapes()->Count();

    Reopen();
    slide = presentation_->Slides()->Item(1);
    EXPECT_EQ(slide->NotesPage()->Shapes()->Placeholders()->Item(2)->TextFrame()->TextRange()->Text(), "one\rtwo");
    EXPECT_EQ(slide->Shapes()->Count(), count);
}

// A collection held across edits keeps its list of shapes between them: every
// change to the tree, through it or through another collection of the same
// slide, must show in its count and indexes; edits inside shapes must not
// lose it.
TEST_F(ShapesRoundTrip, HeldShapeCollectionFollowsEveryChangeToTheTree)
{
    auto slide = presentation_->Slides()->Add(1, host::SlideLayout::Blank);
    auto held = slide->Shapes();
    const auto names = [&held] {
        std::vector<std::string> list;
        for (int i = 1; i <= held->Count(); ++i) {
            list.push_back(held->Item(i)->Name());
        }
        return list;
    };
    const auto a = held->AddTextbox(host::TextOrientation::Horizontal, 0, 0, 100, 20)->Name();
    const auto b = slide->Shapes()->AddShape(host::AutoShapeType::Rectangle, 0, 30, 10, 10)->Name();
    const auto c = held->AddTextbox(host::TextOrientation::Horizontal, 0, 60, 100, 20)->Name();
    EXPECT_EQ(names(), (std::vector<std::string>{a, b, c}));

    held->Item(1)->TextFrame()->TextRange()->SetText("text");
    held->Item(1)->TextFrame()->TextRange()->Font()->SetName("Liberation Serif");
    held->Item(3)->SetTop(5);
    EXPECT_EQ(names(), (std::vector<std::string>{a, b, c}));

    slide->Shapes()->Item(b)->Delete();
    EXPECT_EQ(names(), (std::vector<std::string>{a, c}));

    const auto group = slide->Shapes()->Range({1, 2})->Group();
    ASSERT_EQ(held->Count(), 1);
    EXPECT_EQ(held->Item(1)->Name(), group->Name());
    const auto members = group->GroupItems();
    ASSERT_EQ(members->Count(), 2);
    members->Item(2)->TextFrame()->TextRange()->SetText("member");
    held->AddTextbox(host::TextOrientation::Horizontal, 0, 90, 100, 20)->Delete();
    EXPECT_EQ(members->Item(1)->Name(), a);
    EXPECT_EQ(members->Item(2)->Name(), c);
    group->Ungroup();
    EXPECT_EQ(names(), (std::vector<std::string>{a, c}));
    EXPECT_EQ(held->Item(1)->TextFrame()->TextRange()->Font()->Name(), "Liberation Serif");
}

}  // namespace
}  // namespace velmora::pptx
