#include <gtest/gtest.h>

#include "host/Host.hpp"
#include "tests/pptx/document/DeckFiles.hpp"
#include "tests/pptx/document/ZipFiles.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {
namespace {

// A deck with something of every kind the tools meet.
std::filesystem::path BuildRichDeck(const TempDir& dir)
{
    auto host = NewHost();
    auto presentation = host->Presentations()->Add(false);
    auto slides = presentation->Slides();

    auto text = slides->Add(1, host::SlideLayout::Text);
    text->Shapes()->Placeholders()->Item(1)->TextFrame()->TextRange()->SetText("标题");
    text->Shapes()->Placeholders()->Item(2)->TextFrame()->TextRange()->SetText("one\rtwo\vbroken");
    SetNotesText(*text, "notes of one paragraph");
    text->TimeLine()->MainSequence()->AddEffect(text->Shapes()->Item(2), host::EffectType::Fade);
    text->SlideShowTransition()->SetEntryEffect(host::EntryEffect::Push);

    auto table = slides->Add(2, host::SlideLayout::Blank);
    auto grid = table->Shapes()->AddTable(2, 3, 50, 50, 600, 200);
    grid->Table()->Cell(2, 3)->Shape()->TextFrame()->TextRange()->SetText("cell");
    SetNotesText(*table, "first paragraph\rsecond paragraph");

    auto grouped = slides->Add(3, host::SlideLayout::Blank);
    auto shapes = grouped->Shapes();
    shapes->AddShape(host::AutoShapeType::Rectangle, 10, 10, 100, 100);
    shapes->AddShape(host::AutoShapeType::Oval, 200, 10, 100, 100);
    shapes->Range({1, 2})->Group()->SetName("Both");
    WritePng(dir / "red.png", 8, 4);
    shapes->AddPicture(dir / "red.png", 0, -1, 400, 300);

    const auto file = dir / "rich.pptx";
    presentation->SaveAs(file, host::SaveFormat::Presentation);
    return file;
}

TEST(RoundTripTest, RichDeckReadsBackAsBuilt)
{
    TempDir dir;
    const auto file = BuildRichDeck(dir);
    auto presentation = NewHost()->Presentations()->Open(file);
    auto slides = presentation->Slides();
    ASSERT_EQ(slides->Count(), 3);

    auto text = slides->Item(1);
    EXPECT_EQ(TitleText(*text), "标题");
    EXPECT_EQ(text->Shapes()->Placeholders()->Item(2)->TextFrame()->TextRange()->Text(), "one\rtwo\vbroken");
    EXPECT_EQ(NotesText(*text), "notes of one paragraph");
    EXPECT_EQ(text->TimeLine()->MainSequence()->Count(), 1);
    EXPECT_EQ(text->SlideShowTransition()->EntryEffect(), host::EntryEffect::Push);

    auto table = slides->Item(2);
    ASSERT_EQ(table->Shapes()->Count(), 1);
    EXPECT_EQ(table->Shapes()->Item(1)->HasTable(), host::TriState::True);
    EXPECT_EQ(table->Shapes()->Item(1)->Table()->Cell(2, 3)->Shape()->TextFrame()->TextRange()->Text(), "cell");
    EXPECT_EQ(NotesText(*table), "first paragraph\rsecond paragraph");

    auto grouped = slides->Item(3)->Shapes();
    ASSERT_EQ(grouped->Count(), 2);
    EXPECT_EQ(grouped->Item("Both")->GroupItems()->Count(), 2);
    auto picture = grouped->Item(2);
    EXPECT_EQ(picture->Type(), host::ShapeType::Picture);
    EXPECT_FLOAT_EQ(picture->Width(), 6);
    EXPECT_FLOAT_EQ(picture->Height(), 3);
    const auto names = ZipNames(file);
    EXPECT_NE(std::find(names.begin(), names.end(), "ppt/media/image1.png"), names.end());
    EXPECT_EQ(ZipEntry(file, "ppt/media/image1.png"), ReadFile(dir / "red.png"));
}

TEST(RoundTripTest, UnchangedDeckKeepsEveryPartByteForByte)
{
    TempDir dir;
    const auto file = BuildRichDeck(dir);
    auto host = NewHost();
    auto presentation = host->Presentations()->Open(file);
    // Reading touches nothing.
    for (int i = 1; i <= presentation->Slides()->Count(); ++i) {
        auto slide = presentation->Slides()->Item(i);
        NotesText(*slide);
        slide->Tags()->Item("ANY");
        slide->TimeLine()->MainSequence()->Count();
        slide->SlideShowTransition()->EntryEffect();
        slide->Shapes()->Count();
    }
    EXPECT_TRUE(presentation->Saved());
    const auto copy = dir / "copy.pptx";
    presentation->SaveCopyAs(copy);
    presentation->Save();

    ASSERT_EQ(ZipNames(copy), ZipNames(file));
    for (const std::string& name : ZipNames(file)) {
        EXPECT_EQ(ZipEntry(copy, name), ZipEntry(file, name)) << name;
        EXPECT_EQ(ZipCompressedSize(copy, name), ZipCompressedSize(file, name)) << name;
    }
}

// Only recently used slides stay parsed; edits to the others must survive,
// and so must shapes still held from long ago.
TEST(RoundTripTest, EditsAcrossManySlidesAllReachTheFile)
{
    TempDir dir;
    const auto file = SaveTitledDeck(dir / "many.pptx", 24);
    auto presentation = NewHost()->Presentations()->Open(file);
    auto slides = presentation->Slides();
    auto firstTitle = slides->Item(1)->Shapes()->Item(1);
    for (int i = 1; i <= slides->Count(); ++i) {
        auto slide = slides->Item(i);
        SetNotesText(*slide, "notes " + std::to_string(i));
        slide->Tags()->Add("n", std::to_string(i));
        slide->TimeLine()->MainSequence()->AddEffect(slide->Shapes()->Item(1), host::EffectType::Appear);
    }
    for (int i = 1; i <= slides->Count(); ++i) {
        EXPECT_EQ(NotesText(*slides->Item(i)), "notes " + std::to_string(i));
    }
    firstTitle->TextFrame()->TextRange()->SetText("late");
    presentation->Save();

    auto reopened = NewHost()->Presentations()->Open(file);
    ASSERT_EQ(reopened->Slides()->Count(), 24);
    EXPECT_EQ(TitleText(*reopened->Slides()->Item(1)), "late");
    for (int i = 2; i <= 24; ++i) {
        auto slide = reopened->Slides()->Item(i);
        EXPECT_EQ(TitleText(*slide), "Slide " + std::to_string(i));
        EXPECT_EQ(NotesText(*slide), "notes " + std::to_string(i));
        EXPECT_EQ(slide->Tags()->Item("N"), std::to_string(i));
        EXPECT_EQ(slide->TimeLine()->MainSequence()->Count(), 1);
    }
}

TEST(RoundTripTest, BrokenPartsAndReferencesRaiseWithTheFileName)
{
    TempDir dir;
    const auto file = SaveTitledDeck(dir / "good.pptx", 2);
    std::vector<ZipItem> items;
    for (const std::string& name : ZipNames(file)) {
        items.push_back({name, ZipEntry(file, name)});
    }
    auto variant = [&](const std::string& out, const std::string& entry, const std::string& content) {
        std::vector<ZipItem> changed = items;
        for (ZipItem& item : changed) {
            if (item.name == entry) {
                item.content = content;
            }
        }
        WriteZip(dir / out, changed);
        return dir / out;
    };
    auto host = NewHost();

    const auto brokenSlide = variant("broken-slide.pptx", "ppt/slides/slide2.xml", "<p:sld><p:cSld>");
    auto presentation = host->Presentations()->Open(brokenSlide);
    EXPECT_EQ(presentation->Slides()->Count(), 2);
    try {
        presentation->Slides()->Item(2)->Shapes()->Count();
        FAIL() << "a broken slide opened";
    } catch (const host::HostError& error) {
        EXPECT_NE(std::string(error.what()).find("ppt/slides/slide2.xml in " + brokenSlide.string()), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(TitleText(*presentation->Slides()->Item(1)), "Slide 1");

    std::string rels = ZipEntry(file, "ppt/_rels/presentation.xml.rels");
    rels.replace(rels.find("slides/slide2.xml"), 17, "slides/slide9.xml");
    const auto dangling = variant("dangling.pptx", "ppt/_rels/presentation.xml.rels", rels);
    const std::string before = ReadFile(dangling);
    EXPECT_THROW(host->Presentations()->Open(dangling), host::HostError);
    EXPECT_EQ(ReadFile(dangling), before);

    const auto brokenMain = variant("broken-main.pptx", "ppt/presentation.xml", "<p:presentation");
    EXPECT_THROW(host->Presentations()->Open(brokenMain), host::HostError);

    WriteZip(dir / "word.docx", {{"[Content_Types].xml", ZipEntry(file, "[Content_Types].xml")},
                                 {"_rels/.rels", ZipEntry(file, "_rels/.rels")}});
    EXPECT_THROW(host->Presentations()->Open(dir / "word.docx"), host::HostError);
}

}  // namespace
}  // namespace velmora::testing
