#include "render/FontConfiguration.hpp"

#include <algorithm>
#include <optional>
#include <sstream>

#include <pugixml.hpp>

#include "host/HostError.hpp"
#include "platform/AsciiCase.hpp"
#include "platform/AtomicFile.hpp"
#include "platform/FontModule.hpp"

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
    std::vector<FontSubstitution> substituted;
    std::optional<std::vector<std::vector<std::string>>> matches;
    try {
        matches = platform::FontModule().matchedFamilies(FontConfigurationText(), families);
    } catch (const host::HostError&) {
        return substituted;
    }
    if (!matches) {
        return substituted;
    }
    for (std::size_t i = 0; i < families.size(); ++i) {
        const std::string intended = IntendedFace(families[i]);
        const std::vector<std::string>& matched = (*matches)[i];
        const bool drawnAsIntended = std::any_of(matched.begin(), matched.end(), [&](const std::string& name) {
            return platform::EqualIgnoringAsciiCase(name, intended);
        });
        if (!drawnAsIntended) {
            substituted.push_back({families[i], matched.empty() ? std::string() : matched.front()});
        }
    }
    return substituted;
}

}  // namespace velmora::render
