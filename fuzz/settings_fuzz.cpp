#include <cstdlib>

#include "fuzz/FuzzInput.hpp"
#include "platform/IniDocument.hpp"

// The settings file's parser: whatever the text, a key set is found again,
// also after the text is written and read back, and other keys keep their values.
namespace {

constexpr const char* kApp = "Orvaldi-VelmoraV2.0";

void Require(bool holds)
{
    if (!holds) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    velmora::fuzz::SeedCorpus(*argc, *argv,
                              "[Orvaldi-VelmoraV2.0\\Font]\r\nFSize=12\r\nComboBox1=%E5%AE%8B\r\n"
                              "[Orvaldi-VelmoraV2.0\\Palette]\nDispColor=255\n; note\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using velmora::platform::IniDocument;
    const std::string text = velmora::fuzz::Text(data, size);
    // The input's tail, when it has a line break, is the value to store.
    const std::size_t split = text.rfind('\n');
    const std::string value = split == std::string::npos ? "v" : text.substr(split + 1);
    IniDocument document(text);
    const auto palette = document.Find(kApp, "Palette", "DispColor");
    document.Set(kApp, "Font", "FSize", value);
    Require(document.Find(kApp, "Font", "fsize") == value);
    Require(document.Find(kApp, "Palette", "DispColor") == palette);
    const IniDocument reread(document.Text());
    Require(reread.Find(kApp, "Font", "FSize") == value);
    Require(reread.Find(kApp, "Palette", "DispColor") == palette);
    return 0;
}
