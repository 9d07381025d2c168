#include "font/md_SetFont.hpp"

#include <utility>

#include "font/FontFamilies.hpp"

namespace velmora::font {

md_SetFont::md_SetFont(FontFamilySource families) : families_(std::move(families)) {}

const std::vector<std::string>& md_SetFont::FontList()
{
    for (const std::string& family : families_()) {
        AddFontName(family);
    }
    return fontList_;
}

bool md_SetFont::AddFontName(const std::string& name)
{
    if (!foldedNames_.insert(CaseFolded(name)).second) {
        return false;
    }
    fontList_.push_back(name);
    return true;
}

host::Color md_SetFont::ChooseColor(host::Prompts& prompts)
{
    constexpr host::Color kStartColor = 0;
    return prompts.ChooseColor(kStartColor, customColors_).value_or(-1);
}

md_SetFont& SetFontModule()
{
    static md_SetFont module(InstalledFontFamilies);
    return module;
}

}  // namespace velmora::font
