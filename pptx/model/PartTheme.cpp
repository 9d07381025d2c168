#include "pptx/model/PartTheme.hpp"

#include <string>
#include <utility>

namespace velmora::pptx::model {

namespace {

// The users' hosts are Chinese: a theme without its own East Asian font
// gives them its Simplified Chinese one.
constexpr const char* kEastAsianScript = "Hans";

void AddFonts(shapes::ThemeResolver& resolver, parts::ThemePart& theme)
{
    const std::pair<const char*, std::string> sets[] = {{"major", "+mj-"}, {"minor", "+mn-"}};
    for (const auto& [set, prefix] : sets) {
        std::string eastAsian = theme.Font(set, "ea");
        if (eastAsian.empty()) {
            eastAsian = theme.ScriptFont(set, kEastAsianScript);
        }
        const std::pair<const char*, std::string> fonts[] = {
            {"lt", theme.Font(set, "latin")}, {"ea", eastAsian}, {"cs", theme.Font(set, "cs")}};
        for (const auto& [slot, typeface] : fonts) {
            if (!typeface.empty()) {
                resolver.SetFont(prefix + slot, typeface);
            }
        }
    }
}

void AddColorMap(shapes::ThemeResolver& resolver, const std::vector<pugi::xml_node>& colorMaps)
{
    for (pugi::xml_node map : colorMaps) {
        if (map) {
            for (pugi::xml_attribute entry : map.attributes()) {
                resolver.MapColor(entry.name(), entry.value());
            }
            return;
        }
    }
}

}  // namespace

shapes::ThemeResolver PartTheme(parts::ThemePart* theme, const std::vector<pugi::xml_node>& colorMaps)
{
    shapes::ThemeResolver resolver;
    if (theme) {
        for (const auto& [slot, hex] : theme->SchemeColors()) {
            resolver.SetSchemeColor(slot, hex);
        }
        AddFonts(resolver, *theme);
    }
    AddColorMap(resolver, colorMaps);
    return resolver;
}

}  // namespace velmora::pptx::model
