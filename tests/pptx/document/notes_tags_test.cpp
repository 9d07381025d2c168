#include <gtest/gtest.h>

#include "host/Host.hpp"
#include "tests/pptx/document/DeckFiles.hpp"
#include "tests/pptx/document/ZipFiles.hpp"
#include "tests/support/PackageEdit.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {
namespace {

TEST(NotesTest, ReadingMissingNotesCreatesNothing)
{
    TempDir dir;
    const auto file = SaveTitledDeck(dir / "plain.pptx", 2);
    const std::string before = ReadFile(file);
    auto host = NewHost();
    auto presentation = host->Presentations()->Open(file);
    auto slide = presentation->Slides()->Item(1);
    EXPECT_EQ(NotesText(*slide), "");
    EXPECT_EQ(slide->NotesPage()->Shapes()->Placeholders()->Count(), 2);
    EXPECT_TRUE(presentation->Saved());
    presentation->Save();
    const auto names = ZipNames(file);
    EXPECT_EQ(std::count_if(names.begin(), names.end(), [](const auto& n) { return n.find("notes") != n.npos; }), 0);
    EXPECT_EQ(ZipEntry(file, "ppt/presentation.xml").find("notesMaster"), std::string::npos);
    EXPECT_NE(before.size(), 0u);
}

TEST(NotesTest, WritingNotesAddsNotesSlideAndMasterOnce)
{
    TempDir dir;
    const auto file = SaveTitledDeck(dir / "notes.pptx", 3);
    auto host = NewHost();
    auto presentation = host->Presentations()->Open(file);
    auto slides = presentation->Slides();
    auto first = slides->Item(1);
    auto third = slides->Item(3);
    // A second notes page of the same slide sees the text the first one wrote.
    auto body = first->NotesPage()->Shapes()->Placeholders()->Item(2)->TextFrame()->TextRange();
    SetNotesText(*first, "only paragraph");
    EXPECT_EQ(body->Text(), "only paragraph");
    SetNotesText(*third, "first\rsecond line\vwrapped");
    EXPECT_FALSE(presentation->Saved());
    presentation->Save();

    const std::string presentationXml = ZipEntry(file, "ppt/presentation.xml");
    EXPECT_NE(presentationXml.find("notesMasterIdLst"), std::string::npos);
    const auto names = ZipNames(file);
    auto count = [&](const std::string& prefix) {
        return std::count_if(names.begin(), names.end(), [&](const std::string& n) { return n.starts_with(prefix); });
    };
    EXPECT_EQ(count("ppt/notesSlides/notesSlide"), 2);
    EXPECT_EQ(count("ppt/notesMasters/notesMaster"), 1);

    auto reopened = NewHost()->Presentations()->Open(file);
    auto again = reopened->Slides();
    EXPECT_EQ(NotesText(*again->Item(1)), "only paragraph");
    EXPECT_EQ(NotesText(*again->Item(2)), "");
    EXPECT_EQ(NotesText(*again->Item(3)), "first\rsecond line\vwrapped");
    SetNotesText(*again->Item(3), "");
    EXPECT_EQ(NotesText(*again->Item(3)), "");
}

// Notes found through each slide, on a deck another writer indented and
// whose notes are numbered against the slides' order.
TEST(NotesTest, ALargeDecksNotesReadAndClearSlideBySlide)
{
    constexpr int kSlides = 40;
    TempDir dir;
    const auto file = SaveTitledDeck(dir / "large.pptx", kSlides);
    {
        auto presentation = NewHost()->Presentations()->Open(file);
        for (int i = kSlides; i >= 1; --i) {
            SetNotesText(*presentation->Slides()->Item(i), "note " + std::to_string(i));
        }
        presentation->Save();
    }
    PrettyPrintXml(file);
    EXPECT_NE(ZipEntry(file, "ppt/notesSlides/notesSlide1.xml").find("note 40"), std::string::npos);

    auto presentation = NewHost()->Presentations()->Open(file);
    for (int i = 1; i <= kSlides; ++i) {
        auto slide = presentation->Slides()->Item(i);
        ASSERT_EQ(NotesText(*slide), "note " + std::to_string(i));
        if (i % 2 == 0) {
            SetNotesText(*slide, "");
        }
    }
    presentation->Save();
    auto reopened = NewHost()->Presentations()->Open(file);
    for (int i = 1; i <= kSlides; ++i) {
        EXPECT_EQ(NotesText(*reopened->Slides()->Item(i)), i % 2 == 0 ? "" : "note " + std::to_string(i));
    }
}

TEST(TagsTest, NamesAreUpperCaseAndMatchWithoutCase)
{
    TempDir dir;
    const auto file = SaveTitledDeck(dir / "tags.pptx", 2);
    auto host = NewHost();
    auto presentation = host->Presentations()->Open(file);
    auto tags = presentation->Slides()->Item(1)->Tags();
    EXPECT_EQ(tags->Count(), 0);
    EXPECT_EQ(tags->Item("OrvaldiVelmoraMark"), "");
    EXPECT_TRUE(presentation->Saved());

    tags->Add("OrvaldiVelmoraMark", "张三");
    tags->Add("selected", "1");
    tags->Add("SELECTED", "2");
    EXPECT_EQ(tags->Count(), 2);
    EXPECT_EQ(tags->Name(1), "ORVALDIVELMORAMARK");
    EXPECT_EQ(tags->Item("orvaldivelmoramark"), "张三");
    EXPECT_EQ(tags->Value(2), "2");
    EXPECT_THROW(tags->Name(3), host::HostError);
    tags->Delete("Selected");
    EXPECT_EQ(tags->Count(), 1);
    presentation->Save();

    auto reopened = NewHost()->Presentations()->Open(file);
    EXPECT_EQ(reopened->Slides()->Item(1)->Tags()->Item("OrvaldiVelmoraMark"), "张三");
    EXPECT_EQ(reopened->Slides()->Item(2)->Tags()->Count(), 0);
}

TEST(TagsTest, ShapeTagsLiveBesideTheShape)
{
    TempDir dir;
    auto host = NewHost();
    auto presentation = host->Presentations()->Add(false);
    auto slide = presentation->Slides()->Add(1, host::SlideLayout::Blank);
    auto box = slide->Shapes()->AddTextbox(host::TextOrientation::Horizontal, 10, 10, 100, 40);
    box->Tags()->Add("kind", "note");
    slide->Tags()->Add("kind", "slide");
    presentation->SaveAs(dir / "shape-tags.pptx", host::SaveFormat::Presentation);

    auto reopened = NewHost()->Presentations()->Open(dir / "shape-tags.pptx");
    auto again = reopened->Slides()->Item(1);
    EXPECT_EQ(again->Shapes()->Item(1)->Tags()->Item("KIND"), "note");
    EXPECT_EQ(again->Tags()->Item("kind"), "slide");
    const std::string slideXml = ZipEntry(dir / "shape-tags.pptx", "ppt/slides/slide1.xml");
    EXPECT_NE(slideXml.find("<p:nvPr><p:custDataLst><p:tags"), std::string::npos);
}

// Impress keeps slide tags as custom document properties and drops tag
// parts: the mark travels there too, bookkeeping apart, and follows its
// slide when slides before it come and go.
TEST(TagsTest, SlideTagsAreMirroredAsCustomPropertiesThatFollowTheirSlides)
{
    TempDir dir;
    const auto file = SaveTitledDeck(dir / "mirrored.pptx", 4);
    auto presentation = NewHost()->Presentations()->Open(file);
    auto slides = presentation->Slides();
    for (int i = 1; i <= 4; ++i) {
        slides->Item(i)->Tags()->Add("OrvaldiVelmoraMark", "印记 " + std::to_string(i));
        slides->Item(i)->Tags()->Add("selected", "True");
    }
    slides->Item(3)->Tags()->Delete("OrvaldiVelmoraMark");
    slides->Item(2)->Delete();
    slides->Add(1, host::SlideLayout::Blank);
    presentation->Save();

    EXPECT_TRUE(PackageFaults(file).empty());
    const std::string custom = ZipEntry(file, "docProps/custom.xml");
    EXPECT_EQ(custom.find("selected"), std::string::npos) << custom;
    EXPECT_EQ(custom.find("VelmoraTag.1."), std::string::npos) << custom;
    EXPECT_NE(custom.find(R"(name="VelmoraTag.2.orvaldivelmoramark"><vt:lpwstr>印记 1</vt:lpwstr>)"),
              std::string::npos)
        << custom;
    EXPECT_EQ(custom.find("VelmoraTag.3."), std::string::npos) << custom;
    EXPECT_NE(custom.find(R"(name="VelmoraTag.4.orvaldivelmoramark"><vt:lpwstr>印记 4</vt:lpwstr>)"),
              std::string::npos)
        << custom;
    EXPECT_EQ(custom.find("印记 2"), std::string::npos) << custom;
}

// A deck marked in Impress and saved as .pptx has no tag parts, only the
// custom properties (here with the prefixes another writer chose).
TEST(TagsTest, AMarkKeptAsACustomPropertyReadsAsTheSlidesTag)
{
    TempDir dir;
    const auto file = SaveTitledDeck(dir / "from-impress.pptx", 3);
    AddRelatedPart(file, "", "http://schemas.openxmlformats.org/officeDocument/2006/relationships/custom-properties",
                   "docProps/custom.xml", "application/vnd.openxmlformats-officedocument.custom-properties+xml",
                   R"(<?xml version="1.0" encoding="UTF-8"?>)"
                   R"(<op:Properties xmlns:op="http://schemas.openxmlformats.org/officeDocument/2006/custom-properties")"
                   R"( xmlns:t="http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes">)"
                   R"(<op:property fmtid="{D5CDD505-2E9C-101B-9397-08002B2CF9AE}" pid="2")"
                   R"( name="VelmoraTag.2.orvaldivelmoramark"><t:lpwstr>张三</t:lpwstr></op:property>)"
                   R"(<op:property fmtid="{D5CDD505-2E9C-101B-9397-08002B2CF9AE}" pid="3" name="Client">)"
                   R"(<t:lpwstr>ACME</t:lpwstr></op:property></op:Properties>)",
                   true);
    auto presentation = NewHost()->Presentations()->Open(file);
    auto slides = presentation->Slides();
    EXPECT_EQ(slides->Item(1)->Tags()->Item("OrvaldiVelmoraMark"), "");
    EXPECT_EQ(slides->Item(2)->Tags()->Item("OrvaldiVelmoraMark"), "张三");
    EXPECT_TRUE(presentation->Saved());

    slides->Item(3)->Tags()->Add("OrvaldiVelmoraMark", "李四");
    slides->Item(1)->Delete();
    presentation->Save();
    auto reopened = NewHost()->Presentations()->Open(file)->Slides();
    EXPECT_EQ(reopened->Item(1)->Tags()->Item("OrvaldiVelmoraMark"), "张三");
    EXPECT_EQ(reopened->Item(2)->Tags()->Item("OrvaldiVelmoraMark"), "李四");
    const std::string custom = ZipEntry(file, "docProps/custom.xml");
    EXPECT_NE(custom.find(R"(name="VelmoraTag.2.orvaldivelmoramark"><t:lpwstr>李四</t:lpwstr></op:property>)"),
              std::string::npos)
        << custom;
    EXPECT_NE(custom.find(R"(name="Client"><t:lpwstr>ACME</t:lpwstr>)"), std::string::npos) << custom;
}

}  // namespace
}  // namespace velmora::testing
