#include <gtest/gtest.h>

#include "host/Presentation.hpp"
#include "host/Shape.hpp"
#include "host/Slide.hpp"
#include "host/TextRange.hpp"
#include "pptx/package/Package.hpp"
#include "studio/UndoStack.hpp"
#include "tests/support/Decks.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::studio {
namespace {

class UndoStackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        decks_.BuildNumbered(file_, 3);
        presentation_ = decks_.OpenInWindow(file_);
    }

    // One command run that deletes the last slide.
    void DeleteLastSlide(UndoStack& stack, const QString& name = "删除")
    {
        stack.Begin(presentation_, name);
        presentation_->Slides()->Item(presentation_->Slides()->Count())->Delete();
        stack.End();
    }

    int Count() { return presentation_->Slides()->Count(); }

    static std::string SlideXml(const std::filesystem::path& file)
    {
        return pptx::package::Package::Open(file)->Read("/ppt/slides/slide1.xml");
    }

    testing::TempDir dir_;
    std::filesystem::path file_ = dir_ / "deck.pptx";
    testing::DeckHost decks_;
    host::Ref<host::Presentation> presentation_;
};

TEST_F(UndoStackTest, UndoAndRedoWalkTheRunsInOrder)
{
    UndoStack stack;
    DeleteLastSlide(stack, "甲");
    DeleteLastSlide(stack, "乙");
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(stack.UndoName(), "乙");
    ASSERT_TRUE(stack.Undo(*presentation_));
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(stack.UndoName(), "甲");
    EXPECT_EQ(stack.RedoName(), "乙");
    ASSERT_TRUE(stack.Undo(*presentation_));
    EXPECT_EQ(testing::DeckHost::Titles(*presentation_), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_FALSE(stack.Undo(*presentation_));
    ASSERT_TRUE(stack.Redo(*presentation_));
    EXPECT_EQ(Count(), 2);
    // A new run drops what could have been redone.
    DeleteLastSlide(stack);
    EXPECT_EQ(stack.RedoCount(), 0U);
    EXPECT_FALSE(stack.Redo(*presentation_));
    EXPECT_FALSE(presentation_->Saved());
}

TEST_F(UndoStackTest, ARunWithinARunIsOneStepAndARunChangingNothingNone)
{
    UndoStack stack;
    stack.Begin(presentation_, "外");
    DeleteLastSlide(stack, "内");
    EXPECT_FALSE(stack.Undo(*presentation_)) << "nothing is undone while a command runs";
    DeleteLastSlide(stack, "内");
    stack.End();
    stack.Begin(presentation_, "看");
    stack.End();
    ASSERT_EQ(stack.UndoCount(), 1U);
    EXPECT_EQ(stack.UndoName(), "外");
    ASSERT_TRUE(stack.Undo(*presentation_));
    EXPECT_EQ(Count(), 3);
}

TEST_F(UndoStackTest, UndoWorksAcrossSaveAndTheSavedShapeIsTheOriginal)
{
    const std::string original = SlideXml(file_);
    UndoStack stack;
    stack.Begin(presentation_, "颜色");
    auto title = presentation_->Slides()->Item(1)->Shapes()->Item(1);
    title->Fill()->ForeColor()->SetRGB(0x0000FF);
    stack.End();
    presentation_->Save();
    ASSERT_NE(SlideXml(file_), original);
    ASSERT_TRUE(stack.Undo(*presentation_));
    presentation_->Save();
    EXPECT_EQ(SlideXml(file_), original);
    ASSERT_TRUE(stack.Redo(*presentation_));
    EXPECT_EQ(presentation_->Slides()->Item(1)->Shapes()->Item(1)->Fill()->ForeColor()->RGB(), 0x0000FF);
}

TEST_F(UndoStackTest, OnlyTheLatestStepsWithinTheLimitsAreKept)
{
    UndoStack stack({2, std::size_t{200} << 20});
    DeleteLastSlide(stack);
    DeleteLastSlide(stack);
    DeleteLastSlide(stack);
    EXPECT_EQ(stack.UndoCount(), 2U);
    while (stack.Undo(*presentation_)) {
    }
    EXPECT_EQ(Count(), 2) << "the oldest run stays done";

    // Steps holding more than the byte limit are let go.
    UndoStack small({20, 1});
    DeleteLastSlide(small);
    EXPECT_EQ(small.UndoCount(), 0U);
    EXPECT_GT(stack.Bytes(), 0U);
}

}  // namespace
}  // namespace velmora::studio
