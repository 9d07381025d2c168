#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FontMetrics.hpp"

namespace velmora::platform {

// What the font module (fontconfig and FreeType) offers. It is loaded on
// first use only, so that commands which never look at fonts start without
// mapping those libraries and the image and compression libraries they bring.
struct FontFunctions {
    // MeasureText, of text decoded from UTF-8.
    TextExtent (*measure)(const std::string& family, double points, const std::vector<char32_t>& text, bool bold,
                          bool italic);
    // font::InstalledFontFamilies.
    std::vector<std::string> (*installedFamilies)();
    // font::CaseFolded.
    std::string (*caseFolded)(std::string_view name);
    // For each of `families`, every family name of the face fontconfig picks
    // for it under `configuration` (a fonts.conf text); nothing when that
    // configuration cannot be loaded.
    std::optional<std::vector<std::vector<std::string>>> (*matchedFamilies)(const std::string& configuration,
                                                                            const std::vector<std::string>& families);
};

// Loads the module on the first call; raises the host error when it cannot.
const FontFunctions& FontModule();

}  // namespace velmora::platform

// The module's one exported symbol.
extern "C" const velmora::platform::FontFunctions* velmora_font_functions();
