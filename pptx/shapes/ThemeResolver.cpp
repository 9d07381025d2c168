#include "pptx/shapes/ThemeResolver.hpp"

namespace velmora::pptx::shapes {

ThemeResolver::ThemeResolver()
    : colors_{{"dk1", "000000"},     {"lt1", "FFFFFF"},     {"dk2", "1F497D"},     {"lt2", "EEECE1"},
              {"accent1", "4F81BD"}, {"accent2", "C0504D"}, {"accent3", "9BBB59"}, {"accent4", "8064A2"},
              {"accent5", "4BACC6"}, {"accent6", "F79646"}, {"hlink", "0000FF"},   {"folHlink", "800080"}},
      colorMap_{{"bg1", "lt1"}, {"tx1", "dk1"}, {"bg2", "lt2"}, {"tx2", "dk2"}},
      fonts_{{"+mn-lt", "Calibri"}, {"+mj-lt", "Calibri"}}
{
}

void ThemeResolver::SetSchemeColor(const std::string& slot, const std::string& hex)
{
    colors_[slot] = hex;
}

void ThemeResolver::MapColor(const std::string& name, const std::string& slot)
{
    colorMap_[name] = slot;
}

void ThemeResolver::SetFont(const std::string& reference, const std::string& typeface)
{
    fonts_[reference] = typeface;
}

std::optional<std::string> ThemeResolver::SchemeColor(std::string_view name) const
{
    if (const auto mapped = colorMap_.find(name); mapped != colorMap_.end()) {
        name = mapped->second;
    }
    const auto color = colors_.find(name);
    return color != colors_.end() ? std::optional<std::string>(color->second) : std::nullopt;
}

std::string ThemeResolver::Typeface(const std::string& written) const
{
    if (!written.starts_with('+')) {
        return written;
    }
    const auto font = fonts_.find(written);
    return font != fonts_.end() ? font->second : "";
}

}  // namespace velmora::pptx::shapes
