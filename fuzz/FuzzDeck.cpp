#include "fuzz/FuzzDeck.hpp"

#include <cstdlib>
#include <fstream>

#include <unistd.h>

#include "host/Host.hpp"
#include "pptx/DocumentHost.hpp"
#include "pptx/package/Package.hpp"

namespace velmora::fuzz {

namespace {

template <typename Step>
void Tolerating(Step&& step)
{
    try {
        step();
    } catch (const host::HostError&) {
    }
}

void WalkShape(host::Shape& shape)
{
    Tolerating([&] { (void)shape.Name(); });
    Tolerating([&] { (void)shape.Left(); });
    Tolerating([&] {
        if (shape.HasTextFrame() != 0) {
            (void)shape.TextFrame()->TextRange()->Text();
        }
    });
    Tolerating([&] {
        if (shape.Type() == host::ShapeType::Group) {
            auto members = shape.GroupItems();
            for (int i = 1; i <= members->Count(); ++i) {
                WalkShape(*members->Item(i));
            }
        }
    });
}

void WalkSlide(host::Slide& slide)
{
    Tolerating([&] {
        auto shapes = slide.Shapes();
        for (int i = 1; i <= shapes->Count(); ++i) {
            WalkShape(*shapes->Item(i));
        }
    });
    Tolerating([&] {
        auto notes = slide.NotesPage()->Shapes();
        for (int i = 1; i <= notes->Count(); ++i) {
            WalkShape(*notes->Item(i));
        }
    });
    Tolerating([&] { (void)slide.TimeLine()->MainSequence()->Count(); });
    Tolerating([&] { (void)slide.TimeLine()->InteractiveSequenceCount(); });
    Tolerating([&] { (void)slide.SlideShowTransition()->EntryEffect(); });
}

}  // namespace

const std::filesystem::path& Scratch()
{
    static const std::filesystem::path folder = [] {
        const auto made = std::filesystem::temp_directory_path() / ("velmora-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(made);
        std::atexit([] { std::filesystem::remove_all(Scratch()); });
        return made;
    }();
    return folder;
}

std::filesystem::path WriteScratch(const std::string& name, std::string_view bytes)
{
    const auto file = Scratch() / name;
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
}

const std::filesystem::path& BaseDeck()
{
    static const std::filesystem::path deck = [] {
        const auto file = Scratch() / "base.pptx";
        auto application = pptx::CreateDocumentHost(host::Services{});
        auto presentation = application->Presentations()->Add(false);
        auto first = presentation->Slides()->Add(1, host::SlideLayout::Text);
        first->Shapes()->Placeholders()->Item(1)->TextFrame()->TextRange()->SetText("标题");
        first->NotesPage()->Shapes()->Placeholders()->Item(2)->TextFrame()->TextRange()->SetText("notes\rmore");
        first->TimeLine()->MainSequence()->AddEffect(first->Shapes()->Item(1), host::EffectType::Fade);
        first->SlideShowTransition()->SetEntryEffect(host::EntryEffect::Push);
        auto second = presentation->Slides()->Add(2, host::SlideLayout::Blank);
        second->Shapes()->AddShape(host::AutoShapeType::Rectangle, 10, 10, 100, 100);
        second->Shapes()->AddShape(host::AutoShapeType::Oval, 200, 10, 100, 100);
        second->Shapes()->Range({1, 2})->Group();
        second->Shapes()->AddTable(2, 2, 50, 200, 300, 100);
        presentation->SaveAs(file, host::SaveFormat::Presentation);
        presentation->Close();
        return file;
    }();
    return deck;
}

std::filesystem::path DeckWithPart(const std::string& part, const std::function<std::string(std::string)>& edit)
{
    auto package = pptx::package::Package::Open(BaseDeck());
    package->Write(part, edit(package->Read(part)));
    const auto file = Scratch() / "edited.pptx";
    package->Save(file);
    return file;
}

void Exercise(const std::filesystem::path& deck)
{
    auto application = pptx::CreateDocumentHost(host::Services{});
    host::Ref<host::Presentation> presentation;
    try {
        presentation = application->Presentations()->Open(deck, false, false, false);
    } catch (const host::HostError&) {
        return;
    }
    Tolerating([&] {
        auto slides = presentation->Slides();
        for (int i = 1; i <= slides->Count(); ++i) {
            WalkSlide(*slides->Item(i));
        }
    });
    Tolerating([&] { (void)presentation->PageSetup()->SlideWidth(); });
    Tolerating([&] { presentation->SaveCopyAs(Scratch() / "copy.pptx"); });
    presentation->Close();
}

}  // namespace velmora::fuzz
