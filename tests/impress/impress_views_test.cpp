// Commands pressed in the states a user leaves Impress in: slides selected
// in the slide pane or the slide sorter, the outline view, a deck opened
// read-only.
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XShapes.hpp>
#include <com/sun/star/drawing/framework/ResourceId.hpp>
#include <com/sun/star/drawing/framework/XConfigurationController.hpp>
#include <com/sun/star/drawing/framework/XControllerManager.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>
#include <gtest/gtest.h>

#include "host/Host.hpp"
#include "impress/UnoText.hpp"
#include "tests/impress/OfficeFixture.hpp"

namespace velmora::testing {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using css::view::XSelectionSupplier;

// Impress changes views after the command that asks for it has returned.
void WaitUntil(const std::function<bool()>& done, const std::string& what)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            FAIL() << "Impress did not " << what;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

// The slide pane beside the normal view, which selects slides of its own.
Reference<XSelectionSupplier> SlidePane(const LiveDeck& live)
{
    const Reference<css::drawing::framework::XControllerManager> manager(live.model()->getCurrentController(),
                                                                         UNO_QUERY_THROW);
    return Reference<XSelectionSupplier>(
        manager->getConfigurationController()->getResource(css::drawing::framework::ResourceId::createWithAnchorURL(
            Office::Get().context(), "private:resource/view/SlideSorter", "private:resource/pane/LeftImpressPane")),
        UNO_QUERY);
}

// Selects slides (from 1) as a click with Ctrl on each does in a slide sorter.
void SelectSlides(const LiveDeck& live, const Reference<XSelectionSupplier>& sorter, const std::vector<int>& indexes)
{
    const Reference<css::drawing::XDrawPagesSupplier> supplier(live.model(), UNO_QUERY_THROW);
    css::uno::Sequence<Reference<css::drawing::XDrawPage>> pages(static_cast<sal_Int32>(indexes.size()));
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        pages.getArray()[i].set(supplier->getDrawPages()->getByIndex(indexes[i] - 1), UNO_QUERY_THROW);
    }
    ASSERT_TRUE(sorter->select(Any(pages)));
}

class ImpressViews : public ::testing::Test {
protected:
    void SetUp() override
    {
        Office::Get().TakeMessages();
        decks_.BuildNumbered(deck_, 4);
    }

    std::vector<std::string> NotesOf(const LiveDeck& live)
    {
        const auto file = dir_ / "stored.pptx";
        live.StoreAs(file);
        std::vector<std::string> notes;
        auto slides = decks_.Open(file)->Slides();
        for (int i = 1; i <= slides->Count(); ++i) {
            notes.push_back(DeckHost::Notes(*slides->Item(i)));
        }
        return notes;
    }

    // Each slide title's font: name and size of its first run.
    std::vector<std::pair<std::string, float>> TitleFontsOf(const LiveDeck& live)
    {
        const auto file = dir_ / "stored.pptx";
        live.StoreAs(file);
        std::vector<std::pair<std::string, float>> fonts;
        auto slides = decks_.Open(file)->Slides();
        for (int i = 1; i <= slides->Count(); ++i) {
            auto font = slides->Item(i)->Shapes()->Placeholders()->Item(1)->TextFrame()->TextRange()->Font();
            fonts.emplace_back(font->Name(), font->Size());
        }
        return fonts;
    }

    TempDir dir_;
    DeckHost decks_;
    std::filesystem::path deck_ = dir_ / "deck.pptx";
};

TEST_F(ImpressViews, SelectedSlidesCommandsTakeEverySlideSelectedInTheSlidePaneOrTheSlideSorter)
{
    LiveDeck live(deck_);
    WaitUntil([&] { return SlidePane(live).is(); }, "show the slide pane");
    const auto pane = SlidePane(live);
    SelectSlides(live, pane, {1, 2, 4});
    live.Press("DeleteComment_Select_Main", "myDeleteComment_Select");
    EXPECT_EQ(Office::Get().TakeMessages(), "[VelmoraV2.0 by Orvaldi] 当前选定幻灯片的备注信息已删除！\n");
    EXPECT_EQ(NotesOf(live), (std::vector<std::string>{"", "", "N3", ""}));

    LiveDeck sorted(deck_);
    sorted.SwitchView(".uno:DiaMode", kSlideSorter);
    SelectSlides(sorted, Reference<XSelectionSupplier>(sorted.model()->getCurrentController(), UNO_QUERY_THROW),
                 {2, 4});
    sorted.Press("DeleteComment_Select_Main", "myDeleteComment_Select");
    EXPECT_EQ(NotesOf(sorted), (std::vector<std::string>{"N1", "", "N3", ""}));
}

const std::vector<std::pair<std::string, float>> kFourTitlesInDejaVuSerif24(4, {"DejaVu Serif", 24.0F});

// The outline view keeps the titles' text of its own and writes it back to
// the slides when the user leaves it.
TEST_F(ImpressViews, FontsSetInTheOutlineViewStayWhenTheNormalViewComesBack)
{
    LiveDeck live(deck_);
    live.SwitchView(".uno:OutlineMode", kOutlineView);
    live.Press("SetFont_main", "mySetFont", kTitlesInDejaVuSerif24);
    EXPECT_EQ(Office::Get().TakeMessages(), "[VelmoraV2.0 by Orvaldi] 所有幻灯片中的字体设置完成！\n");
    EXPECT_TRUE(live.Shows(kOutlineView)) << "the user's view is given back";
    live.SwitchView(".uno:NormalMultiPaneGUI", kNormalView);
    EXPECT_EQ(TitleFontsOf(live), kFourTitlesInDejaVuSerif24);
    // Leaving the outline view for the command is a step of Impress's own before it.
    EXPECT_EQ(live.UndoTitles().front(), "设置字体");
}

// A deck Impress opened read-only is not changed: the command refuses at
// its first change and says why; commands that only read it still run.
TEST_F(ImpressViews, ADeckOpenedReadOnlyIsRefusedInChineseAndLeftAlone)
{
    LiveDeck live = LiveDeck::ReadOnly(deck_);
    live.Press("DeleteComment_All_Main", "myDeleteComment_All");
    EXPECT_EQ(Office::Get().TakeMessages(), "[VelmoraV2.0 by Orvaldi] 命令未能完成：文件是只读的，不能更改\n");
    EXPECT_EQ(NotesOf(live), (std::vector<std::string>{"N1", "N2", "N3", "N4"}));
    EXPECT_TRUE(live.UndoTitles().empty());

    live.Press("ExportComment_All_Main", "myExportComment_All");
    EXPECT_NE(Office::Get().TakeMessages().find("所有备注信息已导出!"), std::string::npos);
}

}  // namespace
}  // namespace velmora::testing
