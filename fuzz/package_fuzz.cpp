#include "fuzz/FuzzDeck.hpp"
#include "fuzz/FuzzInput.hpp"

#include <fstream>
#include <iterator>

// The package reader: a whole deck from bytes.
namespace {

std::string ReadBase()
{
    std::ifstream in(velmora::fuzz::BaseDeck(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    velmora::fuzz::SeedCorpus(*argc, *argv, ReadBase());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    velmora::fuzz::Exercise(velmora::fuzz::WriteScratch("input.pptx", velmora::fuzz::Text(data, size)));
    return 0;
}
