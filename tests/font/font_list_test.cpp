#include <array>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "font/FontFamilies.hpp"
#include "font/md_SetFont.hpp"

namespace velmora::font {
namespace {

using Names = std::vector<std::string>;

TEST(FontList, KeepsEnumerationOrderRefusesASecondSpellingAndOnlyGrows)
{
    Names installed{"Noto Sans", "宋体", "NOTO SANS", "Arial"};
    md_SetFont module([&] { return installed; });
    EXPECT_EQ(module.FontList(), (Names{"Noto Sans", "宋体", "Arial"}));

    installed = {"Zapfino", "arial", "Arial Black"};
    EXPECT_EQ(module.FontList(), (Names{"Noto Sans", "宋体", "Arial", "Zapfino", "Arial Black"}))
        << "uninstalled names stay, new ones are appended";
    EXPECT_FALSE(module.AddFontName("ZAPFINO"));
    EXPECT_TRUE(module.AddFontName("@宋体")) << "vertical faces are names like any other";
}

TEST(FontList, CaseIsFoldedBeyondAscii)
{
    EXPECT_EQ(CaseFolded("ÉCOLE Sans"), CaseFolded("école sans"));
    EXPECT_NE(CaseFolded("Arial"), CaseFolded("Arial Black"));
}

TEST(FontList, InstalledFamiliesComeFromFontconfigOncePerFamily)
{
    const Names families = InstalledFontFamilies();
    ASSERT_FALSE(families.empty()) << "fontconfig lists no font on this machine";
    md_SetFont module(InstalledFontFamilies);
    const Names& listed = module.FontList();
    std::set<std::string> folded;
    for (const auto& name : listed) {
        EXPECT_TRUE(folded.insert(CaseFolded(name)).second) << name << " is listed twice";
    }
    EXPECT_EQ(module.FontList(), listed) << "a second enumeration adds nothing";
}

// The colour chooser as a user works it: sets a custom colour, then picks.
class CustomColorPrompts : public host::Prompts {
public:
    int MsgBox(const std::string&, int, const std::string&) override { return host::MsgAnswer::Ok; }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> PickFile(const std::string&, const std::vector<host::FileFilter>&) override
    {
        return std::nullopt;
    }
    std::optional<host::Color> ChooseColor(host::Color initial, std::array<host::Color, 16>& customColors) override
    {
        initials.push_back(initial);
        seen.push_back(customColors[3]);
        customColors[3] += 1;
        return answer;
    }

    std::optional<host::Color> answer;
    std::vector<host::Color> initials;
    std::vector<host::Color> seen;
};

TEST(ChooseColor, StartsBlackCarriesCustomColoursAndCancelGivesMinusOne)
{
    md_SetFont module([] { return Names{}; });
    CustomColorPrompts prompts;
    prompts.answer = 0x336699;
    EXPECT_EQ(module.ChooseColor(prompts), 0x336699);
    prompts.answer.reset();
    EXPECT_EQ(module.ChooseColor(prompts), -1);
    EXPECT_EQ(prompts.initials, (std::vector<host::Color>{0, 0}));
    EXPECT_EQ(prompts.seen, (std::vector<host::Color>{0, 1})) << "the custom colours of the first opening";
}

}  // namespace
}  // namespace velmora::font
