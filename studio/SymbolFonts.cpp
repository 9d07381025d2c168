#include "studio/SymbolFonts.hpp"

#include <array>
#include <utility>

#include "platform/AsciiCase.hpp"

namespace velmora::studio {
namespace {

// Both fonts draw the arrows at the same characters; Marlett's "r" is the
// close cross.
constexpr std::array<std::pair<char16_t, char16_t>, 5> kGlyphs{{
    {u'3', u'\u25C0'},  // ◀
    {u'4', u'\u25B6'},  // ▶
    {u'5', u'\u25B2'},  // ▲
    {u'6', u'\u25BC'},  // ▼
    {u'r', u'\u2715'},  // ✕
}};

}  // namespace

bool IsSymbolFont(const std::string& fontName)
{
    return platform::EqualIgnoringAsciiCase(fontName, "Webdings") ||
           platform::EqualIgnoringAsciiCase(fontName, "Marlett");
}

QString ShownCaption(const std::string& fontName, const QString& caption)
{
    if (!IsSymbolFont(fontName)) {
        return caption;
    }
    QString shown = caption;
    for (QChar& character : shown) {
        for (const auto& [symbol, glyph] : kGlyphs) {
            if (character == QChar(symbol)) {
                character = QChar(glyph);
            }
        }
    }
    return shown;
}

}  // namespace velmora::studio
