#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

// The theme a part's shapes are drawn with: the scheme colours and fonts of
// its master's theme, read through the colour map in effect for the part.
namespace velmora::pptx::shapes {

class ThemeResolver {
public:
    // The presentation program's default theme and colour map; a deck's
    // theme replaces what it defines.
    ThemeResolver();

    // A colour of the scheme (dk1, lt1, ..., accent1, hlink) as "RRGGBB".
    void SetSchemeColor(const std::string& slot, const std::string& hex);
    // What a colour map sends a name to ("tx1" -> "dk1").
    void MapColor(const std::string& name, const std::string& slot);
    // A theme font reference ("+mn-lt", "+mj-ea") and its typeface.
    void SetFont(const std::string& reference, const std::string& typeface);

    // "RRGGBB" of a scheme colour as shapes name it (tx1, bg2, accent1, dk2, ...);
    // nothing for names without a colour (phClr).
    std::optional<std::string> SchemeColor(std::string_view name) const;
    // A typeface as written, a theme reference replaced by the theme's font
    // ("" when the theme leaves that font empty).
    std::string Typeface(const std::string& written) const;

private:
    std::map<std::string, std::string, std::less<>> colors_;
    std::map<std::string, std::string, std::less<>> colorMap_;
    std::map<std::string, std::string, std::less<>> fonts_;
};

}  // namespace velmora::pptx::shapes
