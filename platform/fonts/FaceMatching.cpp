#include "platform/fonts/FaceMatching.hpp"

#include "platform/fonts/FontconfigHandles.hpp"

namespace velmora::platform::fonts {

namespace {

Config LoadConfiguration(const std::string& text)
{
    Config config(FcConfigCreate());
    if (!config ||
        !FcConfigParseAndLoadFromMemory(config.get(), reinterpret_cast<const FcChar8*>(text.c_str()), FcFalse) ||
        !FcConfigBuildFonts(config.get())) {
        return nullptr;
    }
    return config;
}

// Every family name of the face (fonts carry localised names too).
std::vector<std::string> FamiliesOf(const FcPattern* face)
{
    std::vector<std::string> names;
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(face, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
        names.emplace_back(reinterpret_cast<const char*>(name));
    }
    return names;
}

// The face fontconfig picks for `family`; empty when it picks none.
std::vector<std::string> MatchedFamilies(FcConfig* config, const std::string& family)
{
    Pattern pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const Pattern face(FcFontMatch(config, pattern.get(), &result));
    return face ? FamiliesOf(face.get()) : std::vector<std::string>{};
}

}  // namespace

std::optional<std::vector<std::vector<std::string>>> MatchFamilies(const std::string& configuration,
                                                                   const std::vector<std::string>& families)
{
    const Config config = LoadConfiguration(configuration);
    if (!config) {
        return std::nullopt;
    }
    std::vector<std::vector<std::string>> matched;
    matched.reserve(families.size());
    for (const std::string& family : families) {
        matched.push_back(MatchedFamilies(config.get(), family));
    }
    return matched;
}

}  // namespace velmora::platform::fonts
