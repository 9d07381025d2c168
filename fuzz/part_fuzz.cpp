#include "fuzz/FuzzDeck.hpp"
#include "fuzz/FuzzInput.hpp"

#include "pptx/package/Package.hpp"

// One part as the host reads it, in an otherwise sound deck; the build names
// the part (FUZZ_PART), one program for each.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    velmora::fuzz::SeedCorpus(*argc, *argv,
                              velmora::pptx::package::Package::Open(velmora::fuzz::BaseDeck())->Read(FUZZ_PART));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input = velmora::fuzz::Text(data, size);
    velmora::fuzz::Exercise(velmora::fuzz::DeckWithPart(FUZZ_PART, [&](const std::string&) { return input; }));
    return 0;
}
