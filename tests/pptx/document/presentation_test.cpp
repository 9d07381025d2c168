#include <gtest/gtest.h>

#include "host/Host.hpp"
#include "tests/pptx/document/DeckFiles.hpp"
#include "tests/pptx/document/ZipFiles.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {
namespace {

TEST(PresentationsTest, NewPresentationsAreUntitledUntilSavedAs)
{
    TempDir dir;
    auto host = NewHost();
    auto first = host->Presentations()->Add(false);
    auto second = host->Presentations()->Add(true);
    EXPECT_EQ(first->Name(), "演示文稿1");
    EXPECT_EQ(second->Name(), "演示文稿2");
    EXPECT_EQ(first->Path(), "");
    EXPECT_EQ(first->Slides()->Count(), 0);
    EXPECT_TRUE(first->Saved());
    EXPECT_THROW(first->Save(), host::HostError);

    first->Slides()->Add(1, host::SlideLayout::Blank);
    EXPECT_FALSE(first->Saved());
    first->SaveAs(dir / "deck.pptx", host::SaveFormat::Presentation);
    EXPECT_EQ(first->Path(), dir.path().string());
    EXPECT_EQ(first->Name(), "deck.pptx");
    EXPECT_EQ(first->FullName(), (dir / "deck.pptx").string());
    EXPECT_TRUE(first->Saved());
    EXPECT_THROW(first->SaveAs(dir / "deck.png", host::SaveFormat::PNG), host::HostError);

    auto page = first->PageSetup();
    EXPECT_FLOAT_EQ(page->SlideWidth(), 720);
    EXPECT_FLOAT_EQ(page->SlideHeight(), 540);
    EXPECT_EQ(page->SlideSize(), host::SlideSize::OnScreen);
}

TEST(PresentationsTest, OpensCopiesAndClosesWithWindowsInOrder)
{
    TempDir dir;
    const auto file = SaveTitledDeck(dir / "three.pptx", 3);
    auto host = NewHost();
    EXPECT_THROW(host->ActivePresentation(), host::HostError);
    EXPECT_THROW(host->ActiveWindow(), host::HostError);

    auto shown = host->Presentations()->Open(file);
    auto hidden = host->Presentations()->Open(file, false, false, false);
    EXPECT_EQ(host->ActivePresentation()->FullName(), shown->FullName());
    EXPECT_EQ(host->Presentations()->Count(), 2);

    auto untitled = host->Presentations()->Open(file, false, true, true);
    EXPECT_EQ(untitled->Path(), "");
    EXPECT_EQ(untitled->Name(), "演示文稿1");
    EXPECT_EQ(untitled->Slides()->Count(), 3);
    EXPECT_EQ(host->ActivePresentation()->Name(), "演示文稿1");

    untitled->Close();
    EXPECT_EQ(host->ActivePresentation()->FullName(), shown->FullName());
    EXPECT_THROW(untitled->Slides(), host::HostError);
    hidden->Close();
    shown->Close();
    EXPECT_EQ(host->Presentations()->Count(), 0);
    EXPECT_THROW(host->ActiveWindow(), host::HostError);

    auto readOnly = host->Presentations()->Open(file, true, false, false);
    EXPECT_THROW(readOnly->Save(), host::HostError);
}

TEST(PresentationsTest, SaveCopyAsLeavesThePresentationAsItWas)
{
    TempDir dir;
    const auto file = SaveTitledDeck(dir / "deck.pptx", 2);
    auto host = NewHost();
    auto presentation = host->Presentations()->Open(file);
    presentation->Slides()->Item(1)->Delete();
    presentation->SaveCopyAs(dir / "copy.pptx");
    EXPECT_FALSE(presentation->Saved());
    EXPECT_EQ(presentation->Name(), "deck.pptx");

    auto copy = host->Presentations()->Open(dir / "copy.pptx", false, false, false);
    ASSERT_EQ(copy->Slides()->Count(), 1);
    auto slide = copy->Slides()->Item(1);
    EXPECT_EQ(TitleText(*slide), "Slide 2");
    EXPECT_EQ(host->Presentations()->Open(file, false, false, false)->Slides()->Count(), 2);
}

TEST(SlidesTest, AddPicksLayoutsByCodeAndKeepsOrder)
{
    auto host = NewHost();
    auto presentation = host->Presentations()->Add(false);
    auto slides = presentation->Slides();
    slides->Add(1, host::SlideLayout::Blank);
    slides->Add(1, host::SlideLayout::Title);
    slides->Add(3, host::SlideLayout::TitleOnly);
    slides->Add(2, host::SlideLayout::Text);
    slides->Add(5, 999);
    ASSERT_EQ(slides->Count(), 5);
    std::vector<int> layouts;
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(slides->Item(i)->SlideIndex(), i);
        layouts.push_back(slides->Item(i)->Layout());
    }
    EXPECT_EQ(layouts, (std::vector<int>{1, 2, 12, 11, 1}));
    EXPECT_EQ(slides->Item(1)->Shapes()->Placeholders()->Count(), 2);
    EXPECT_EQ(slides->Item(3)->Shapes()->Count(), 0);
    const auto last = slides->Item(5);
    slides->Add(1, host::SlideLayout::Blank);
    EXPECT_EQ(last->SlideIndex(), 6);
    EXPECT_THROW(slides->Add(8, host::SlideLayout::Blank), host::HostError);
    EXPECT_THROW(slides->Item(0), host::HostError);
    EXPECT_THROW(slides->Item(7), host::HostError);
}

TEST(SlidesTest, DeletingSlidesRenumbersTheRestAndCleansThePackage)
{
    TempDir dir;
    auto host = NewHost();
    auto presentation = host->Presentations()->Add(false);
    for (int i = 1; i <= 4; ++i) {
        auto slide = presentation->Slides()->Add(i, host::SlideLayout::Title);
        SetNotesText(*slide, "notes " + std::to_string(i));
        slide->Tags()->Add("mark", std::to_string(i));
    }
    presentation->SaveAs(dir / "four.pptx", host::SaveFormat::Presentation);

    auto second = presentation->Slides()->Item(2);
    auto fourth = presentation->Slides()->Item(4);
    const int fourthId = fourth->SlideID();
    // Positions asked before a change must not be answered from before it.
    EXPECT_EQ(fourth->SlideIndex(), 4);
    second->Delete();
    EXPECT_THROW(second->SlideIndex(), host::HostError);
    EXPECT_EQ(fourth->SlideIndex(), 3);
    presentation->Slides()->Range({1, 3})->Delete();
    ASSERT_EQ(presentation->Slides()->Count(), 1);
    EXPECT_EQ(presentation->Slides()->Item(1)->Tags()->Item("MARK"), "3");
    EXPECT_NE(presentation->Slides()->Item(1)->SlideID(), fourthId);
    presentation->Save();

    const auto names = ZipNames(dir / "four.pptx");
    auto count = [&](const std::string& prefix) {
        return std::count_if(names.begin(), names.end(), [&](const std::string& n) { return n.starts_with(prefix); });
    };
    EXPECT_EQ(count("ppt/slides/slide"), 1);
    EXPECT_EQ(count("ppt/slides/_rels/"), 1);
    EXPECT_EQ(count("ppt/notesSlides/notesSlide"), 1);
    EXPECT_EQ(count("ppt/tags/"), 1);
    const std::string types = ZipEntry(dir / "four.pptx", "[Content_Types].xml");
    EXPECT_EQ(types.find("/ppt/slides/slide1.xml"), std::string::npos);
    EXPECT_NE(types.find("/ppt/slides/slide3.xml"), std::string::npos);

    auto reopened = host->Presentations()->Open(dir / "four.pptx");
    ASSERT_EQ(reopened->Slides()->Count(), 1);
    auto slide = reopened->Slides()->Item(1);
    EXPECT_EQ(NotesText(*slide), "notes 3");
}

// A range deletes as one step: with one of its slides gone, it deletes none.
TEST(SlidesTest, ARangeWithADeletedSlideDeletesNothing)
{
    auto host = NewHost();
    auto presentation = host->Presentations()->Add(false);
    for (int i = 1; i <= 3; ++i) {
        presentation->Slides()->Add(i, host::SlideLayout::Title);
    }
    auto range = presentation->Slides()->Range({1, 2});
    presentation->Slides()->Item(2)->Delete();
    EXPECT_THROW(range->Delete(), host::HostError);
    EXPECT_EQ(presentation->Slides()->Count(), 2);
}

TEST(PageSetupTest, CustomSizesAreKept)
{
    TempDir dir;
    auto host = NewHost();
    auto presentation = host->Presentations()->Add(false);
    auto page = presentation->PageSetup();
    page->SetSlideSize(host::SlideSize::Custom);
    page->SetSlideWidth(960);
    page->SetSlideHeight(540);
    EXPECT_EQ(page->SlideSize(), host::SlideSize::Custom);
    presentation->SaveAs(dir / "wide.pptx", host::SaveFormat::Presentation);
    auto reopened = host->Presentations()->Open(dir / "wide.pptx");
    EXPECT_FLOAT_EQ(reopened->PageSetup()->SlideWidth(), 960);
    EXPECT_FLOAT_EQ(reopened->PageSetup()->SlideHeight(), 540);
    EXPECT_EQ(reopened->PageSetup()->SlideSize(), host::SlideSize::Custom);
    reopened->PageSetup()->SetSlideSize(15);
    EXPECT_FLOAT_EQ(reopened->PageSetup()->SlideHeight(), 405);
}

class RecordingShell : public host::Shell {
public:
    void OpenAddress(const std::string& address) override { opened.push_back(address); }
    void ShowFolder(const std::filesystem::path&) override {}
    std::vector<std::string> opened;
};

class OnePick : public host::Prompts {
public:
    int MsgBox(const std::string&, int, const std::string&) override { return host::MsgAnswer::Ok; }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override { return ""; }
    std::optional<std::string> PickFile(const std::string& title, const std::vector<host::FileFilter>& filters) override
    {
        seenTitle = title;
        seenFilters = filters.size();
        return answer;
    }
    std::optional<host::Color> ChooseColor(host::Color, std::array<host::Color, 16>&) override { return {}; }
    std::optional<std::string> answer;
    std::string seenTitle;
    std::size_t seenFilters = 0;
};

TEST(ApplicationTest, ServicesAnswerLinksAndFilePickers)
{
    auto shell = std::make_shared<RecordingShell>();
    auto prompts = std::make_shared<OnePick>();
    host::Services services;
    services.prompts = prompts;
    services.shell = shell;
    auto host = NewHost(services);
    auto presentation = host->Presentations()->Add(true);
    presentation->FollowHyperlink("https://example.org/");
    EXPECT_EQ(shell->opened, std::vector<std::string>{"https://example.org/"});

    auto dialog = host->FileDialog(host::FileDialogType::FilePicker);
    dialog->SetTitle("Pick");
    dialog->AddFilter("Movies", "*.swf");
    EXPECT_EQ(dialog->Show(), 0);
    EXPECT_EQ(prompts->seenTitle, "Pick");
    EXPECT_EQ(prompts->seenFilters, 1u);
    prompts->answer = "/home/a/movie.swf";
    EXPECT_EQ(dialog->Show(), -1);
    EXPECT_EQ(dialog->SelectedItems(), std::vector<std::string>{"/home/a/movie.swf"});

    auto bare = NewHost();
    EXPECT_THROW(bare->FileDialog(host::FileDialogType::FilePicker)->Show(), host::HostError);
    EXPECT_THROW(bare->Presentations()->Add(false)->FollowHyperlink("https://example.org/"), host::HostError);
    EXPECT_EQ(bare->Version(), "14.0");
}

}  // namespace
}  // namespace velmora::testing
