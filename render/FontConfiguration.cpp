#include "render/FontConfiguration.hpp"

#include <algorithm>
#include <memory>
#include <sstream>

#include <fontconfig/fontconfig.h>
#include <pugixml.hpp>

#include "platform/AsciiCase.hpp"
#include "platform/AtomicFile.hpp"

namespace velmora::render {

namespace {

constexpr const char* kSans = "Liberation Sans";
constexpr const char* kSerif = "Liberation Serif";
constexpr const char* kMono = "Liberation Mono";
constexpr const char* kCjkSerif = "Noto Serif CJK SC";
constexpr const char* kCjkSans = "Noto Sans CJK SC";
constexpr const char* kCjkKai = "AR PL UKai CN";
constexpr const char* kCjkSerifTraditional = "Noto Serif CJK TC";
constexpr const char* kCjkSansTraditional = "Noto Sans CJK TC";
constexpr const char* kCjkKaiTraditional = "AR PL UKai TW";

struct FcConfigDeleter {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct FcPatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Config = std::unique_ptr<FcConfig, FcConfigDeleter>;
using Pattern = std::unique_ptr<FcPattern, FcPatternDeleter>;

Config LoadOurConfiguration()
{
    Config config(FcConfigCreate());
    const std::string text = FontConfigurationText();
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

// The family itself, or the face it is mapped to.
std::string IntendedFace(const std::string& family)
{
    for (const FontMapping& mapping : FontMappings()) {
        if (platform::EqualIgnoringAsciiCase(mapping.requested, family)) {
            return mapping.face;
        }
    }
    return family;
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

const std::vector<FontMapping>& FontMappings()
{
    static const std::vector<FontMapping> mappings{
        {"Arial", kSans},
        {"Helvetica", kSans},
        {"Times New Roman", kSerif},
        {"Times", kSerif},
        {"Courier New", kMono},
        {"Calibri", "Carlito"},
        {"Cambria", "Caladea"},
        {"宋体", kCjkSerif},
        {"SimSun", kCjkSerif},
        {"新宋体", kCjkSerif},
        {"NSimSun", kCjkSerif},
        {"华文宋体", kCjkSerif},
        {"STSong", kCjkSerif},
        {"仿宋", kCjkSerif},
        {"FangSong", kCjkSerif},
        {"仿宋_GB2312", kCjkSerif},
        {"FangSong_GB2312", kCjkSerif},
        {"华文仿宋", kCjkSerif},
        {"STFangsong", kCjkSerif},
        {"黑体", kCjkSans},
        {"SimHei", kCjkSans},
        {"华文黑体", kCjkSans},
        {"STHeiti", kCjkSans},
        {"微软雅黑", kCjkSans},
        {"Microsoft YaHei", kCjkSans},
        {"等线", kCjkSans},
        {"DengXian", kCjkSans},
        {"幼圆", kCjkSans},
        {"YouYuan", kCjkSans},
        {"楷体", kCjkKai},
        {"KaiTi", kCjkKai},
        {"楷体_GB2312", kCjkKai},
        {"KaiTi_GB2312", kCjkKai},
        {"华文楷体", kCjkKai},
        {"STKaiti", kCjkKai},
        {"新细明体", kCjkSerifTraditional},
        {"PMingLiU", kCjkSerifTraditional},
        {"细明体", kCjkSerifTraditional},
        {"MingLiU", kCjkSerifTraditional},
        {"微软正黑体", kCjkSansTraditional},
        {"Microsoft JhengHei", kCjkSansTraditional},
        {"标楷体", kCjkKaiTraditional},
        {"DFKai-SB", kCjkKaiTraditional},
    };
    return mappings;
}

std::string FontConfigurationText()
{
    pugi::xml_document document;
    document.append_child(pugi::node_doctype).set_value("fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\"");
    pugi::xml_node root = document.append_child("fontconfig");
    pugi::xml_node system = root.append_child("include");
    system.append_attribute("ignore_missing") = "yes";
    system.text() = "/etc/fonts/fonts.conf";
    // Strong binding: the mapped face wins over faces that only cover the
    // text's language better.
    for (const FontMapping& mapping : FontMappings()) {
        pugi::xml_node match = root.append_child("match");
        match.append_attribute("target") = "pattern";
        pugi::xml_node test = match.append_child("test");
        test.append_attribute("name") = "family";
        test.append_child("string").text() = mapping.requested;
        pugi::xml_node edit = match.append_child("edit");
        edit.append_attribute("name") = "family";
        edit.append_attribute("mode") = "prepend";
        edit.append_attribute("binding") = "strong";
        edit.append_child("string").text() = mapping.face;
    }
    std::ostringstream text;
    document.save(text, "  ");
    return text.str();
}

std::filesystem::path WriteFontConfiguration(const std::filesystem::path& folder)
{
    const std::filesystem::path file = folder / "fonts.conf";
    platform::WriteFileAtomically(file, FontConfigurationText());
    return file;
}

std::vector<FontSubstitution> SubstitutedFonts(const std::vector<std::string>& families)
{
    const Config config = LoadOurConfiguration();
    std::vector<FontSubstitution> substituted;
    if (!config) {
        return substituted;
    }
    for (const std::string& family : families) {
        const std::string intended = IntendedFace(family);
        const std::vector<std::string> matched = MatchedFamilies(config.get(), family);
        const bool drawnAsIntended = std::any_of(matched.begin(), matched.end(), [&](const std::string& name) {
            return platform::EqualIgnoringAsciiCase(name, intended);
        });
        if (!drawnAsIntended) {
            substituted.push_back({family, matched.empty() ? std::string() : matched.front()});
        }
    }
    return substituted;
}

}  // namespace velmora::render
