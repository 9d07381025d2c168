// Every command that needs no dialog, then the font and palette dialogs
// through one dialog script, once through Impress and once through velmora
// run, on the same deck with slide 2 shown and selected. Compared: the
// messages (time stamps in file names aside), the slides' titles in order,
// each slide's notes text, number of effects, title font (first run's name
// and size) and title fill, and the files written beside the deck (names,
// the slide size and each slide's title and pictures' sizes of a written
// presentation, and a notes file's text after the line that names the time).
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/Host.hpp"
#include "tests/impress/OfficeFixture.hpp"
#include "tests/support/Process.hpp"

namespace velmora::testing {
namespace {

struct Press {
    std::string onAction;
    std::string controlId;
    Script script;  // the same answers go to velmora run as options
    bool titleSelected = false;  // slide 2's title is the window's selection
};

// The command, and whether it was told not to keep the slides.
std::string TestName(const Press& press)
{
    const bool notKept = std::ranges::find(press.script, std::pair<std::string, std::string>{"--answer", "no"}) !=
                         press.script.end();
    return press.onAction + (notKept ? "_NotKept" : "");
}

void PrintTo(const Press& press, std::ostream* out)
{
    *out << TestName(press);
}

std::string WithoutTimes(const std::string& text)
{
    static const std::regex time(R"(_\d\d-\d\d-\d\d_\d\d-\d\d-\d\d)");
    return std::regex_replace(text, time, "_<time>");
}

// The font of the title's first run and the title's fill. Impress renames
// shapes as it saves, so the title is found by its kind.
std::string TitleLook(host::Slide& slide)
{
    auto placeholders = slide.Shapes()->Placeholders();
    for (int p = 1; p <= placeholders->Count(); ++p) {
        auto title = placeholders->Item(p);
        const int type = title->PlaceholderFormat()->Type();
        if (type == host::PlaceholderType::Title || type == host::PlaceholderType::CenterTitle) {
            auto font = title->TextFrame()->TextRange()->Runs(1)->Font();
            auto fill = title->Fill();
            const bool filled = fill->Visible() == host::TriState::True;
            return font->Name() + " " + std::to_string(font->Size()) + " | " +
                   (filled ? std::to_string(fill->ForeColor()->RGB()) : "no fill");
        }
    }
    return "no title";
}

// A slide's title text, empty where it has no placeholders (an album's
// slides as Impress writes them).
std::string TitleText(host::Slide& slide)
{
    return slide.Shapes()->Placeholders()->Count() == 0 ? "" : DeckHost::Title(slide);
}

// The pictures of a slide, each as its size in whole points.
std::string Pictures(host::Slide& slide)
{
    std::string pictures;
    auto shapes = slide.Shapes();
    for (int s = 1; s <= shapes->Count(); ++s) {
        auto shape = shapes->Item(s);
        if (shape->Type() == host::ShapeType::Picture) {
            pictures += " " + std::to_string(std::lround(shape->Width())) + "x" +
                        std::to_string(std::lround(shape->Height()));
        }
    }
    return pictures;
}

// What a command left in a folder: each slide's title, notes, effects and
// title look, then the files beside the deck.
std::vector<std::string> Outcome(DeckHost& decks, const std::filesystem::path& deck)
{
    std::vector<std::string> outcome;
    auto slides = decks.Open(deck)->Slides();
    for (int i = 1; i <= slides->Count(); ++i) {
        auto slide = slides->Item(i);
        outcome.push_back(DeckHost::Title(*slide) + " | " + DeckHost::Notes(*slide) + " | " +
                          std::to_string(slide->TimeLine()->MainSequence()->Count()) + " | " + TitleLook(*slide));
    }
    for (const auto& entry : std::filesystem::directory_iterator(deck.parent_path())) {
        const std::string name = entry.path().filename().string();
        if (name == "deck.pptx" || name == "impress.pptx" || name.starts_with("settings.ini")) {
            continue;
        }
        outcome.push_back(WithoutTimes(name));
        if (entry.path().extension() == ".txt") {
            std::ifstream in(entry.path(), std::ios::binary);
            std::string created;
            std::getline(in, created);
            std::stringstream rest;
            rest << in.rdbuf();
            outcome.push_back(rest.str());
        } else if (entry.path().extension() == ".pptx") {
            auto presentation = decks.Open(entry.path());
            auto pageSetup = presentation->PageSetup();
            outcome.push_back("  slides of " + std::to_string(std::lround(pageSetup->SlideWidth())) + "x" +
                              std::to_string(std::lround(pageSetup->SlideHeight())));
            auto written = presentation->Slides();
            for (int i = 1; i <= written->Count(); ++i) {
                auto slide = written->Item(i);
                outcome.push_back("  " + TitleText(*slide) + " |" + Pictures(*slide));
            }
        }
    }
    std::sort(outcome.begin() + slides->Count(), outcome.end());
    return outcome;
}

class ImpressAgreesWithVelmora : public ::testing::TestWithParam<Press> {
protected:
    TempDir impressDir_;
    TempDir cliDir_;
    DeckHost decks_;
};

TEST_P(ImpressAgreesWithVelmora, OnMessagesSlidesAndFiles)
{
    const Press& press = GetParam();
    decks_.BuildNumbered(impressDir_ / "deck.pptx", 3, 2);
    decks_.BuildNumbered(cliDir_ / "deck.pptx", 3, 2);
    Office::Get().TakeMessages();
    {
        LiveDeck live(impressDir_ / "deck.pptx");
        live.ShowSlide(2);
        if (press.titleSelected) {
            ASSERT_EQ(live.SelectShape(2, 1), "Title 1");
        }
        live.Press(press.onAction, press.controlId, press.script);
        live.StoreAs(impressDir_ / "impress.pptx");
    }
    const std::string impressMessages = Office::Get().TakeMessages();

    std::vector<std::string> arguments{VELMORA_BIN, "run", press.onAction, (cliDir_ / "deck.pptx").string(),
                                       "--slide", "2", "--select", "2", "--no-open"};
    if (press.titleSelected) {
        arguments.insert(arguments.end(), {"--shapes", "2:Title 1"});
    }
    for (const auto& [option, value] : press.script) {
        arguments.push_back(option);
        arguments.push_back(value);
    }
    const ProcessResult cli = RunProcess(arguments, std::chrono::seconds(120),
                                         {{"VELMORA_SETTINGS", (cliDir_ / "settings.ini").string()}});

    EXPECT_EQ(WithoutTimes(impressMessages), WithoutTimes(cli.out)) << cli.err;
    std::filesystem::rename(impressDir_ / "impress.pptx", impressDir_ / "deck.pptx");
    EXPECT_EQ(Outcome(decks_, impressDir_ / "deck.pptx"), Outcome(decks_, cliDir_ / "deck.pptx"));
}

INSTANTIATE_TEST_SUITE_P(
    CommandsWithoutDialogs, ImpressAgreesWithVelmora,
    ::testing::Values(Press{"ExportComment_All_Main", "myExportComment_All", {}},
                      Press{"ExportComment_Select_Main", "myExportComment_Select", {}},
                      Press{"DeleteComment_Select_Main", "myDeleteComment_Select", {}},
                      Press{"RemoveAnimation_Select_Main", "myRemoveAnimation_Select", {}},
                      Press{"SplitDoc_selection_Main", "mySplitDoc_selection", {{"--answer", "yes"}}},
                      Press{"SplitDoc_selection_Main", "mySplitDoc_selection", {{"--answer", "no"}}},
                      Press{"SplitDoc_fromhere_Main", "mySplitDoc_fromhere", {{"--answer", "yes"}}},
                      Press{"SplitDoc_fromhere_Main", "mySplitDoc_fromhere", {{"--answer", "no"}}},
                      Press{"TranstoPic_main", "myTranstoPic", {}},
                      Press{"DeleteComment_All_Main", "myDeleteComment_All", {}},
                      Press{"RemoveAnimation_All_Main", "myRemoveAnimation_All", {}},
                      Press{"About_Click", "AboutAddin", {}}, Press{"OnlineHelp_Click", "OnlineHelp", {}},
                      // Dialog commands, worked by the same dialog script.
                      Press{"SetFont_main",
                            "mySetFont",
                            {{"--set", "OptionButton2=true"},
                             {"--set", "CheckBox1=true"},
                             {"--set", "CheckBox8=true"},
                             {"--set", "ComboBox2=DejaVu Serif"},
                             {"--set", "OptionButton10=true"},
                             {"--set", "ComboBox3=24"},
                             {"--click", "CommandButton1"}}},
                      Press{"SetColor_main", "mySetColor", {{"--click", "OptionButton4"}, {"--click", "Label9"}}, true}),
    [](const ::testing::TestParamInfo<Press>& param) { return TestName(param.param); });

}  // namespace
}  // namespace velmora::testing
