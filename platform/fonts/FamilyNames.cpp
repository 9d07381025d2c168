#include "platform/fonts/FamilyNames.hpp"

#include "platform/fonts/FontconfigHandles.hpp"

namespace velmora::platform::fonts {

std::vector<std::string> InstalledFamilies()
{
    // A configuration of its own, loaded afresh, sees the fonts installed
    // since the last call and is released with everything it holds.
    const Config config(FcInitLoadConfigAndFonts());
    const Pattern any(FcPatternCreate());
    const ObjectSet familyOnly(FcObjectSetBuild(FC_FAMILY, nullptr));
    if (!config || !any || !familyOnly) {
        return {};
    }
    const FontSet fonts(FcFontList(config.get(), any.get(), familyOnly.get()));
    std::vector<std::string> families;
    if (!fonts) {
        return families;
    }
    for (int i = 0; i < fonts->nfont; ++i) {
        FcChar8* family = nullptr;
        // A font names its family in several languages; the first name stands for it.
        if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch) {
            families.emplace_back(reinterpret_cast<const char*>(family));
        }
    }
    return families;
}

std::string FoldCase(std::string_view name)
{
    const std::string text(name);
    const FontconfigString folded(FcStrDowncase(reinterpret_cast<const FcChar8*>(text.c_str())));
    return folded ? std::string(reinterpret_cast<const char*>(folded.get())) : text;
}

}  // namespace velmora::platform::fonts
