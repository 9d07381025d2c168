#include "fuzz/FuzzDeck.hpp"
#include "fuzz/FuzzInput.hpp"

#include "pptx/package/Package.hpp"

// A slide's timing tree as the host reads it: the input takes the place of
// the first slide's p:timing element.
namespace {

constexpr const char* kSlide = "/ppt/slides/slide1.xml";
constexpr std::string_view kOpen = "<p:timing>";
constexpr std::string_view kClose = "</p:timing>";

std::string BaseSlide()
{
    return velmora::pptx::package::Package::Open(velmora::fuzz::BaseDeck())->Read(kSlide);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    const std::string slide = BaseSlide();
    const std::size_t start = slide.find(kOpen);
    const std::size_t end = slide.find(kClose);
    velmora::fuzz::SeedCorpus(*argc, *argv, slide.substr(start, end + kClose.size() - start));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input = velmora::fuzz::Text(data, size);
    velmora::fuzz::Exercise(velmora::fuzz::DeckWithPart(kSlide, [&](std::string slide) {
        const std::size_t start = slide.find(kOpen);
        const std::size_t end = slide.find(kClose);
        return slide.replace(start, end + kClose.size() - start, input);
    }));
    return 0;
}
