#include <stdexcept>

#include <gtest/gtest.h>

#include "host/Host.hpp"
#include "tests/pptx/document/DeckFiles.hpp"
#include "tests/pptx/document/ZipFiles.hpp"
#include "tests/support/LibreOffice.hpp"
#include "tests/support/TempDir.hpp"

// LibreOffice as a second reader and writer of our files.
namespace velmora::testing {
namespace {

const std::filesystem::path kOffice = "/usr/bin/soffice";

std::filesystem::path Convert(const std::filesystem::path& input, const std::string& format,
                              const std::filesystem::path& outdir)
{
    std::filesystem::create_directories(outdir);
    const auto output = ConvertWithLibreOffice(input, format, outdir);
    if (!output) {
        throw std::runtime_error("LibreOffice could not convert " + input.string() + " to " + format);
    }
    return *output;
}

class LibreOfficeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(kOffice)) {
            GTEST_SKIP() << "LibreOffice is not installed";
        }
    }

    // A deck of `slides` title slides, each with notes, a tag and two effects.
    std::filesystem::path AnimatedDeck(int slides)
    {
        auto presentation = NewHost()->Presentations()->Add(false);
        for (int i = 1; i <= slides; ++i) {
            auto slide = presentation->Slides()->Add(i, host::SlideLayout::Title);
            auto shapes = slide->Shapes();
            shapes->Placeholders()->Item(1)->TextFrame()->TextRange()->SetText("Slide " + std::to_string(i));
            shapes->Placeholders()->Item(2)->TextFrame()->TextRange()->SetText("Subtitle");
            SetNotesText(*slide, "notes " + std::to_string(i) + "\rsecond");
            slide->Tags()->Add("mark", "x");
            slide->TimeLine()->MainSequence()->AddEffect(shapes->Item(1), host::EffectType::Fly);
            slide->TimeLine()->MainSequence()->AddEffect(shapes->Item(2), host::EffectType::Fade);
            slide->SlideShowTransition()->SetEntryEffect(host::EntryEffect::Fade);
        }
        const auto file = dir_ / "animated.pptx";
        presentation->SaveAs(file, host::SaveFormat::Presentation);
        return file;
    }

    TempDir dir_;
};

TEST_F(LibreOfficeTest, ChangedDeckStillOpensWithTheExpectedSlides)
{
    const auto file = AnimatedDeck(5);
    auto presentation = NewHost()->Presentations()->Open(file);
    auto slides = presentation->Slides();
    for (int i = 1; i <= slides->Count(); ++i) {
        auto slide = slides->Item(i);
        SetNotesText(*slide, "");
        slide->Tags()->Add("OrvaldiVelmoraMark", "测试");
        auto sequence = slide->TimeLine()->MainSequence();
        for (int j = sequence->Count(); j >= 1; --j) {
            sequence->Item(j)->Delete();
        }
    }
    slides->Item(2)->Delete();
    slides->Range({1, 2})->Delete();
    slides->Add(3, host::SlideLayout::TitleOnly);
    presentation->Save();

    EXPECT_EQ(PdfPageCount(Convert(file, "pdf", dir_ / "pdf")), 3);
}

TEST_F(LibreOfficeTest, DeckFromASecondWriterReadsAndEdits)
{
    const auto ours = AnimatedDeck(3);
    const auto theirs = Convert(ours, "pptx", dir_ / "theirs");
    auto presentation = NewHost()->Presentations()->Open(theirs);
    auto slides = presentation->Slides();
    ASSERT_EQ(slides->Count(), 3);
    for (int i = 1; i <= 3; ++i) {
        auto slide = slides->Item(i);
        EXPECT_EQ(TitleText(*slide), "Slide " + std::to_string(i));
        EXPECT_EQ(NotesText(*slide), "notes " + std::to_string(i) + "\rsecond");
    }
    EXPECT_EQ(slides->Item(1)->TimeLine()->MainSequence()->Count(), 2);
    // Their file, read through and written back unchanged, keeps every part.
    presentation->SaveCopyAs(dir_ / "copy.pptx");
    ASSERT_EQ(ZipNames(dir_ / "copy.pptx"), ZipNames(theirs));
    for (const std::string& name : ZipNames(theirs)) {
        EXPECT_EQ(ZipEntry(dir_ / "copy.pptx", name), ZipEntry(theirs, name)) << name;
    }

    SetNotesText(*slides->Item(1), "changed");
    slides->Item(2)->Tags()->Add("selected", "1");
    for (int j = slides->Item(3)->TimeLine()->MainSequence()->Count(); j >= 1; --j) {
        slides->Item(3)->TimeLine()->MainSequence()->Item(j)->Delete();
    }
    slides->Item(2)->Delete();
    presentation->Save();

    auto reopened = NewHost()->Presentations()->Open(theirs);
    ASSERT_EQ(reopened->Slides()->Count(), 2);
    EXPECT_EQ(NotesText(*reopened->Slides()->Item(1)), "changed");
    EXPECT_EQ(reopened->Slides()->Item(2)->TimeLine()->MainSequence()->Count(), 0);
    EXPECT_EQ(PdfPageCount(Convert(theirs, "pdf", dir_ / "pdf")), 2);
}

}  // namespace
}  // namespace velmora::testing
