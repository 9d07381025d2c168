#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace velmora::render {

// A font name decks use and the face we draw it with.
struct FontMapping {
    const char* requested;
    const char* face;
};

// The names decks use most (Latin fonts of the presentation program and the
// classic Chinese styles, by their Chinese and English names) and the
// installed faces that stand in for them with the same metrics or style.
const std::vector<FontMapping>& FontMappings();

// A fontconfig configuration: the system's own, which keeps the user's
// files, plus our mappings. LibreOffice reads it through FONTCONFIG_FILE, so
// nothing outside our process changes.
std::string FontConfigurationText();

// Writes the configuration as `folder`/fonts.conf and returns that path.
std::filesystem::path WriteFontConfiguration(const std::filesystem::path& folder);

// A name no installed face has and no mapping covers, and the face
// fontconfig falls back to for it.
struct FontSubstitution {
    std::string requested;
    std::string fallback;
};

// Of `families`, those drawn in a fallback face. Empty when fontconfig
// cannot be loaded.
std::vector<FontSubstitution> SubstitutedFonts(const std::vector<std::string>& families);

}  // namespace velmora::render
