#include "forms/SymbolFonts.hpp"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/AsciiCase.hpp"

namespace velmora::forms {
namespace {

// Both fonts draw the arrows at the same characters; Marlett's "r" is the
// close cross.
constexpr std::array<std::pair<char, const char*>, 5> kGlyphs{{
    {'3', "\u25C0"},  // ◀
    {'4', "\u25B6"},  // ▶
    {'5', "\u25B2"},  // ▲
    {'6', "\u25BC"},  // ▼
    {'r', "\u2715"},  // ✕
}};

}  // namespace

bool IsSymbolFont(const std::string& fontName)
{
    return platform::EqualIgnoringAsciiCase(fontName, "Webdings") ||
           platform::EqualIgnoringAsciiCase(fontName, "Marlett");
}

std::string ShownCaption(const std::string& fontName, const std::string& caption)
{
    if (!IsSymbolFont(fontName)) {
        return caption;
    }
    std::string shown;
    for (const char character : caption) {
        const auto glyph = std::find_if(kGlyphs.begin(), kGlyphs.end(),
                                        [character](const auto& entry) { return entry.first == character; });
        shown += glyph != kGlyphs.end() ? std::string(glyph->second) : std::string(1, character);
    }
    return shown;
}

}  // namespace velmora::forms
