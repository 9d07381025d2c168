#include "platform/fonts/FamilyNames.hpp"

#include <memory>

#include <fontconfig/fontconfig.h>

namespace velmora::platform::fonts {

namespace {

struct ConfigFree {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct PatternFree {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct ObjectSetFree {
    void operator()(FcObjectSet* objects) const { FcObjectSetDestroy(objects); }
};
struct FontSetFree {
    void operator()(FcFontSet* fonts) const { FcFontSetDestroy(fonts); }
};
struct StringFree {
    void operator()(FcChar8* text) const { FcStrFree(text); }
};

}  // namespace

std::vector<std::string> InstalledFamilies()
{
    // A configuration of its own, loaded afresh, sees the fonts installed
    // since the last call and is released with everything it holds.
    const std::unique_ptr<FcConfig, ConfigFree> config(FcInitLoadConfigAndFonts());
    const std::unique_ptr<FcPattern, PatternFree> any(FcPatternCreate());
    const std::unique_ptr<FcObjectSet, ObjectSetFree> familyOnly(FcObjectSetBuild(FC_FAMILY, nullptr));
    if (!config || !any || !familyOnly) {
        return {};
    }
    const std::unique_ptr<FcFontSet, FontSetFree> fonts(FcFontList(config.get(), any.get(), familyOnly.get()));
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
    const std::unique_ptr<FcChar8, StringFree> folded(FcStrDowncase(reinterpret_cast<const FcChar8*>(text.c_str())));
    return folded ? std::string(reinterpret_cast<const char*>(folded.get())) : text;
}

}  // namespace velmora::platform::fonts
