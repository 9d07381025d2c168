#include "tests/support/Decks.hpp"

#include "pptx/DocumentHost.hpp"

namespace velmora::testing {

DeckHost::DeckHost() : app_(pptx::CreateDocumentHost(host::Services{})) {}

void DeckHost::Build(const std::filesystem::path& file, const std::vector<SlideSpec>& slides)
{
    auto presentation = app_->Presentations()->Add(false);
    for (std::size_t i = 0; i < slides.size(); ++i) {
        const SlideSpec& wanted = slides[i];
        auto slide = presentation->Slides()->Add(static_cast<int>(i) + 1, host::SlideLayout::Text);
        auto title = slide->Shapes()->Placeholders()->Item(1);
        title->TextFrame()->TextRange()->SetText(wanted.title);
        if (!wanted.notes.empty()) {
            slide->NotesPage()->Shapes()->Placeholders()->Item(2)->TextFrame()->TextRange()->SetText(wanted.notes);
        }
        for (int e = 0; e < wanted.effects; ++e) {
            slide->TimeLine()->MainSequence()->AddEffect(title, host::EffectType::Fade);
        }
        if (wanted.transition) {
            slide->SlideShowTransition()->SetEntryEffect(host::EntryEffect::Fade);
        }
        for (const auto& [name, value] : wanted.tags) {
            slide->Tags()->Add(name, value);
        }
    }
    presentation->SaveAs(file, host::SaveFormat::Presentation);
    presentation->Close();
}

void DeckHost::BuildNumbered(const std::filesystem::path& file, int count, int effectsPerSlide)
{
    std::vector<SlideSpec> slides;
    for (int i = 1; i <= count; ++i) {
        slides.push_back({std::to_string(i), "N" + std::to_string(i), effectsPerSlide, false, {}});
    }
    Build(file, slides);
}

host::Ref<host::Presentation> DeckHost::Open(const std::filesystem::path& file)
{
    return app_->Presentations()->Open(file, true, false, false);
}

host::Ref<host::Presentation> DeckHost::OpenInWindow(const std::filesystem::path& file)
{
    return app_->Presentations()->Open(file, false, false, true);
}

std::string DeckHost::Notes(host::Slide& slide)
{
    return slide.NotesPage()->Shapes()->Placeholders()->Item(2)->TextFrame()->TextRange()->Text();
}

std::string DeckHost::Title(host::Slide& slide)
{
    return slide.Shapes()->Placeholders()->Item(1)->TextFrame()->TextRange()->Text();
}

std::vector<std::string> DeckHost::Titles(host::Presentation& presentation)
{
    std::vector<std::string> titles;
    auto slides = presentation.Slides();
    for (int i = 1; i <= slides->Count(); ++i) {
        titles.push_back(Title(*slides->Item(i)));
    }
    return titles;
}

}  // namespace velmora::testing
