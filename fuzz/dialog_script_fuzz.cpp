#include <stdexcept>

#include "forms/ScriptStep.hpp"
#include "fuzz/FuzzInput.hpp"

// The dialog script parser: "--option" and its argument, split at the first
// line break of the input. A refused step raises std::invalid_argument.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    velmora::fuzz::SeedCorpus(*argc, *argv, "--drag\nScrollBar1=12,-3");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = velmora::fuzz::Text(data, size);
    const std::size_t split = text.find('\n');
    const std::string option = text.substr(0, split);
    const std::string argument = split == std::string::npos ? std::string() : text.substr(split + 1);
    try {
        (void)velmora::forms::ParseScriptStep(option, argument);
    } catch (const std::invalid_argument&) {
    }
    return 0;
}
