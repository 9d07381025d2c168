#include "tests/publish/DeckFixture.hpp"

#include <fstream>
#include <iterator>
#include <regex>

#include "pptx/DocumentHost.hpp"
#include "tests/support/PackageEdit.hpp"

namespace velmora::testing {

host::Presentation& DeckTest::OpenDeck(int count, const std::string& version)
{
    decks_.BuildNumbered(deck(), count);
    application_ = pptx::CreateDocumentHost(Services(), version);
    auto presentation = application_->Presentations()->Open(deck(), false, false, true);
    auto pageSetup = presentation->PageSetup();
    if (pageSetup->SlideWidth() != 720 || pageSetup->SlideHeight() != 540) {
        pageSetup->SetSlideWidth(720);
        pageSetup->SetSlideHeight(540);
        presentation->Save();
    }
    return *presentation;
}

host::Presentation& DeckTest::OpenUntitled()
{
    application_ = pptx::CreateDocumentHost(Services());
    return *application_->Presentations()->Add(true);
}

std::vector<std::filesystem::path> DeckTest::TemporaryFolders() const
{
    static const std::regex kTemporary("tmp[0-9]+(\\.jpg)?");
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
        if (std::regex_match(entry.path().filename().string(), kTemporary)) {
            found.push_back(entry.path());
        }
    }
    return found;
}

std::string DeckTest::SlidePicture(const std::filesystem::path& presentation, int slide)
{
    const std::string slideName = "slide" + std::to_string(slide) + ".xml";
    const auto relationships = ReadEntry(presentation, "ppt/slides/_rels/" + slideName + ".rels");
    static const std::regex kMedia("Target=\"\\.\\./media/([^\"]+)\"");
    std::smatch media;
    if (!relationships || !std::regex_search(*relationships, media, kMedia)) {
        ADD_FAILURE() << "no picture on " << slideName << " of " << presentation;
        return {};
    }
    return ReadEntry(presentation, "ppt/media/" + media[1].str()).value_or("");
}

std::string DeckTest::ReadBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<host::Ref<host::Shape>> DeckTest::Pictures(host::Slide& slide)
{
    std::vector<host::Ref<host::Shape>> pictures;
    auto shapes = slide.Shapes();
    for (int i = 1; i <= shapes->Count(); ++i) {
        if (auto shape = shapes->Item(i); shape->Type() == host::ShapeType::Picture) {
            pictures.push_back(shape);
        }
    }
    return pictures;
}

}  // namespace velmora::testing
