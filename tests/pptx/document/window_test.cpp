#include <gtest/gtest.h>

#include "host/Host.hpp"
#include "pptx/DocumentHost.hpp"
#include "tests/pptx/document/DeckFiles.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {
namespace {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        presentation_ = host_->Presentations()->Add(true);
        for (int i = 1; i <= 3; ++i) {
            auto slide = presentation_->Slides()->Add(i, host::SlideLayout::Title);
            slide->Shapes()->Placeholders()->Item(1)->TextFrame()->TextRange()->SetText("Slide " + std::to_string(i));
        }
        auto shapes = presentation_->Slides()->Item(2)->Shapes();
        auto one = shapes->AddTextbox(host::TextOrientation::Horizontal, 10, 10, 100, 30);
        auto two = shapes->AddTextbox(host::TextOrientation::Horizontal, 10, 60, 100, 30);
        one->SetName("One");
        two->SetName("Two");
        one->TextFrame()->TextRange()->SetText("first");
        auto three = shapes->AddShape(host::AutoShapeType::Rectangle, 200, 10, 50, 50);
        three->SetName("Three");
        window_ = host_->ActiveWindow();
    }

    std::shared_ptr<host::Application> host_ = NewHost();
    std::shared_ptr<host::Presentation> presentation_;
    std::shared_ptr<host::DocumentWindow> window_;
};

TEST_F(WindowTest, ViewShowsOneSlideAndFollowsDeletion)
{
    EXPECT_EQ(window_->View()->Slide()->SlideIndex(), 1);
    pptx::ShowSlide(*window_, 3);
    EXPECT_EQ(window_->View()->Slide()->SlideIndex(), 3);
    EXPECT_THROW(pptx::ShowSlide(*window_, 4), host::HostError);
    presentation_->Slides()->Item(3)->Delete();
    EXPECT_EQ(window_->View()->Slide()->SlideIndex(), 2);
    window_->View()->GotoSlide(1);
    EXPECT_EQ(TitleText(*window_->View()->Slide()), "Slide 1");
    EXPECT_EQ(window_->Presentation()->Name(), presentation_->Name());
}

TEST_F(WindowTest, NothingSelectedRaisesForEveryRange)
{
    auto selection = window_->Selection();
    EXPECT_EQ(selection->Type(), host::SelectionType::None);
    EXPECT_THROW(selection->SlideRange(), host::HostError);
    EXPECT_THROW(selection->ShapeRange(), host::HostError);
    EXPECT_THROW(selection->TextRange(), host::HostError);
    EXPECT_THROW(selection->ChildShapeRange(), host::HostError);
    EXPECT_FALSE(selection->HasChildShapeRange());
}

TEST_F(WindowTest, SlidesAreSelectedInSelectionOrder)
{
    pptx::SelectSlides(*window_, {3, 1});
    auto selection = window_->Selection();
    EXPECT_EQ(selection->Type(), host::SelectionType::Slides);
    auto range = selection->SlideRange();
    ASSERT_EQ(range->Count(), 2);
    EXPECT_EQ(range->Item(1)->SlideIndex(), 3);
    EXPECT_EQ(range->Item(2)->SlideIndex(), 1);
    EXPECT_THROW(range->SlideIndex(), host::HostError);
    EXPECT_THROW(selection->ShapeRange(), host::HostError);

    presentation_->Slides()->Item(3)->Delete();
    EXPECT_EQ(selection->SlideRange()->Count(), 1);
    EXPECT_EQ(selection->SlideRange()->SlideIndex(), 1);
    selection->SlideRange()->Delete();
    EXPECT_EQ(selection->Type(), host::SelectionType::None);
    EXPECT_EQ(presentation_->Slides()->Count(), 1);
}

TEST_F(WindowTest, ShapesAndTextSelectionsHaveTheirSlide)
{
    pptx::SelectShapes(*window_, 2, {"Two", "One"});
    auto selection = window_->Selection();
    EXPECT_EQ(selection->Type(), host::SelectionType::Shapes);
    EXPECT_EQ(selection->SlideRange()->SlideIndex(), 2);
    EXPECT_EQ(window_->View()->Slide()->SlideIndex(), 2);
    auto shapes = selection->ShapeRange();
    ASSERT_EQ(shapes->Count(), 2);
    EXPECT_EQ(shapes->Item(1)->Name(), "Two");
    EXPECT_THROW(selection->ChildShapeRange(), host::HostError);
    EXPECT_THROW(pptx::SelectShapes(*window_, 2, {"Nobody"}), host::HostError);

    pptx::SelectText(*window_, 2, "One");
    EXPECT_EQ(selection->Type(), host::SelectionType::Text);
    EXPECT_EQ(selection->TextRange()->Text(), "first");
    EXPECT_EQ(selection->ShapeRange()->Name(), "One");
    EXPECT_EQ(selection->SlideRange()->SlideIndex(), 2);

    presentation_->Slides()->Item(2)->Shapes()->Item("One")->Select(true);
    EXPECT_EQ(selection->Type(), host::SelectionType::Shapes);
    presentation_->Slides()->Item(2)->Shapes()->Item("Three")->Select(false);
    EXPECT_EQ(selection->ShapeRange()->Count(), 2);
    auto text = selection->TextRange();
    EXPECT_EQ(text->Text(), "first\r");
    text->Font()->Color()->SetRGB(255);
    EXPECT_EQ(text->Font()->Color()->RGB(), 255) << "a shapes selection colours the text of every shape";

    pptx::ClearSelection(*window_);
    EXPECT_EQ(selection->Type(), host::SelectionType::None);
}

TEST_F(WindowTest, ShapesInsideAGroupAreChildShapes)
{
    auto shapes = presentation_->Slides()->Item(2)->Shapes();
    auto group = shapes->Range({4, 5})->Group();
    group->SetName("Pair");
    pptx::SelectShapes(*window_, 2, {"Two"});
    auto selection = window_->Selection();
    EXPECT_EQ(selection->Type(), host::SelectionType::Shapes);
    EXPECT_TRUE(selection->HasChildShapeRange());
    EXPECT_EQ(selection->ChildShapeRange()->Name(), "Two");
    EXPECT_EQ(selection->ShapeRange()->Name(), "Pair");
    EXPECT_THROW(pptx::SelectShapes(*window_, 2, {"Two", "One"}), host::HostError);
    pptx::SelectShapes(*window_, 2, {"Two", "Three"});
    EXPECT_EQ(selection->ChildShapeRange()->Count(), 2);
    EXPECT_EQ(selection->ShapeRange()->Count(), 1);

    pptx::SelectShapes(*window_, 2, {"Pair"});
    EXPECT_FALSE(selection->HasChildShapeRange());
    EXPECT_EQ(selection->ShapeRange()->GroupItems()->Count(), 2);
}

TEST_F(WindowTest, NotesAndHiddenPresentationsCannotSelect)
{
    auto notes = presentation_->Slides()->Item(1)->NotesPage()->Shapes();
    EXPECT_THROW(notes->Placeholders()->Item(2)->Select(true), host::HostError);
    auto hidden = host_->Presentations()->Add(false);
    auto slide = hidden->Slides()->Add(1, host::SlideLayout::Title);
    EXPECT_THROW(slide->Shapes()->Item(1)->Select(true), host::HostError);
    EXPECT_EQ(host_->ActivePresentation()->Name(), presentation_->Name());
}

}  // namespace
}  // namespace velmora::testing
