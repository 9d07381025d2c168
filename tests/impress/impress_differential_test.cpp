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
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/drawing/XDrawPages.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XShapes.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/text/XText.hpp>
#include <gtest/gtest.h>

#include "host/Host.hpp"
#include "host/SettingsStore.hpp"
#include "impress/UnoText.hpp"
#include "platform/AsciiCase.hpp"
#include "platform/FileSettingsStore.hpp"
#include "tests/impress/OfficeFixture.hpp"
#include "tests/support/HttpServer.hpp"
#include "tests/support/Process.hpp"
#include "web/Endpoints.hpp"

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

// " WxH" of a PNG file, from its header; nothing for other files.
std::string PictureSize(const std::filesystem::path& file)
{
    if (platform::AsciiLower(file.extension().string()) != ".png") {
        return "";
    }
    std::ifstream in(file, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    auto number = [&](int at) {
        return header[at] << 24 | header[at + 1] << 16 | header[at + 2] << 8 | header[at + 3];
    };
    return " " + std::to_string(number(16)) + "x" + std::to_string(number(20));
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
        outcome.push_back(WithoutTimes(name) + PictureSize(entry.path()));
        if (entry.is_directory()) {
            for (const auto& inner : std::filesystem::directory_iterator(entry.path())) {
                outcome.push_back(name + "/" + inner.path().filename().string() + PictureSize(inner.path()));
            }
        } else if (entry.path().extension() == ".txt") {
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
                      Press{"SetColor_main", "mySetColor", {{"--click", "OptionButton4"}, {"--click", "Label9"}}, true},
                      // Every choice set: the dialog starts from the choices Impress's earlier presses kept.
                      Press{"ExportPic_main",
                            "myExportPic",
                            {{"--set", "OptionButton2=true"},
                             {"--set", "OptionButton8=true"},
                             {"--set", "OptionButton4=true"},
                             {"--click", "Cmd_OK"}}}),
    [](const ::testing::TestParamInfo<Press>& param) { return TestName(param.param); });

// The palette's three targets on the kinds of shape it treats apart, once
// through Impress and once through velmora run: a text box without a fill, a
// rectangle without a line, a group of two rectangles and a table of nine cells.
struct PaletteCase {
    const char* target;  // the target option: OptionButton4 fill, 5 text, 6 line
    const char* shape;
};

void PrintTo(const PaletteCase& palette, std::ostream* out)
{
    *out << palette.target << "_" << palette.shape;
}

// "none" for a hidden fill or line, else its colour.
template <typename Format>
std::string Shown(Format& format)
{
    return format.Visible() == host::TriState::True ? std::to_string(format.ForeColor()->RGB()) : "none";
}

// What the target option colours in one shape: its fill, its text's
// colour or its line.
std::string Targeted(host::Shape& shape, const std::string& target)
{
    if (target == "OptionButton4") {
        return Shown(*shape.Fill());
    }
    if (target == "OptionButton6") {
        return Shown(*shape.Line());
    }
    auto text = shape.TextFrame()->TextRange();
    return text->RunCount() == 0 ? "no text" : std::to_string(text->Runs(1)->Font()->Color()->RGB());
}

// The same for each member of a group and each cell of a table (a cell's
// line is its borders).
std::string PaletteLook(host::Shape& shape, const std::string& target)
{
    std::string look;
    if (shape.Type() == host::ShapeType::Group) {
        auto members = shape.GroupItems();
        for (int i = 1; i <= members->Count(); ++i) {
            look += "[" + PaletteLook(*members->Item(i), target) + "]";
        }
    } else if (shape.HasTable() == host::TriState::True) {
        auto table = shape.Table();
        for (int r = 1; r <= table->Rows()->Count(); ++r) {
            for (int c = 1; c <= table->ColumnCount(); ++c) {
                look += "[" + Targeted(*table->Cell(r, c)->Shape(), target) + "]";
            }
        }
    } else {
        look = Targeted(shape, target);
    }
    return look;
}

// The slide's shapes after its placeholders, by name; the group as
// "group", since taking it apart and putting it together again renames it.
// The colours a shape takes from the theme read differently once Impress
// wrote them, so only the shape the palette coloured is compared.
std::map<std::string, std::string> PaletteLooks(host::Slide& slide, const std::string& target)
{
    std::map<std::string, std::string> looks;
    auto shapes = slide.Shapes();
    for (int s = 1; s <= shapes->Count(); ++s) {
        auto shape = shapes->Item(s);
        if (shape->Type() == host::ShapeType::Group) {
            looks["group"] = PaletteLook(*shape, target);
        } else if (shape->Type() != host::ShapeType::Placeholder) {
            looks[shape->Name()] = PaletteLook(*shape, target);
        }
    }
    return looks;
}

class PaletteAgreesWithVelmora : public ::testing::TestWithParam<PaletteCase> {
protected:
    // Slide 2 of the numbered deck with the four shapes after its placeholders.
    void BuildDeck(const std::filesystem::path& file)
    {
        decks_.BuildNumbered(file, 3);
        auto presentation = decks_.app().Presentations()->Open(file, false, false, false);
        auto shapes = presentation->Slides()->Item(2)->Shapes();
        const auto named = [](host::Ref<host::Shape> shape, const std::string& name) {
            shape->SetName(name);
            if (shape->HasTextFrame() == host::TriState::True) {
                shape->TextFrame()->TextRange()->SetText(name);
            }
            return shape;
        };
        named(shapes->AddTextbox(host::TextOrientation::Horizontal, 20, 300, 150, 30), "Box");
        named(shapes->AddShape(host::AutoShapeType::Rectangle, 200, 300, 100, 50), "Plain")
            ->Line()
            ->SetVisible(host::TriState::False);
        const int first = shapes->Count() + 1;
        named(shapes->AddShape(host::AutoShapeType::Rectangle, 320, 300, 80, 40), "Left");
        named(shapes->AddShape(host::AutoShapeType::Rectangle, 420, 300, 80, 40), "Right");
        shapes->Range({first, first + 1})->Group()->SetName("Pair");
        auto table = named(shapes->AddTable(3, 3, 20, 380, 300, 90), "Grid")->Table();
        for (int r = 1; r <= 3; ++r) {
            for (int c = 1; c <= 3; ++c) {
                table->Cell(r, c)->Shape()->TextFrame()->TextRange()->SetText(std::to_string(r * 10 + c));
            }
        }
        presentation->Save();
        presentation->Close();
    }

    // The shape's place among the slide's shapes, as Impress counts them.
    int IndexOf(const std::filesystem::path& file, const std::string& name)
    {
        auto shapes = decks_.Open(file)->Slides()->Item(2)->Shapes();
        for (int s = 1; s <= shapes->Count(); ++s) {
            if (shapes->Item(s)->Name() == name) {
                return s;
            }
        }
        ADD_FAILURE() << "no shape " << name;
        return 0;
    }

    TempDir impressDir_;
    TempDir cliDir_;
    DeckHost decks_;
};

TEST_P(PaletteAgreesWithVelmora, OnFillLineAndTextOfEveryShapeItReaches)
{
    const PaletteCase& palette = GetParam();
    BuildDeck(impressDir_ / "deck.pptx");
    BuildDeck(cliDir_ / "deck.pptx");
    const Script script{{"--click", palette.target}, {"--click", "Label9"}};
    Office::Get().TakeMessages();
    {
        LiveDeck live(impressDir_ / "deck.pptx");
        ASSERT_EQ(live.SelectShape(2, IndexOf(impressDir_ / "deck.pptx", palette.shape)), palette.shape);
        live.Press("SetColor_main", "mySetColor", script);
        live.StoreAs(impressDir_ / "impress.pptx");
    }
    const std::string impressMessages = Office::Get().TakeMessages();

    std::vector<std::string> arguments{VELMORA_BIN, "run", "SetColor_main", (cliDir_ / "deck.pptx").string(),
                                       "--slide", "2", "--shapes", std::string("2:") + palette.shape, "--no-open"};
    for (const auto& [option, value] : script) {
        arguments.push_back(option);
        arguments.push_back(value);
    }
    const ProcessResult cli = RunProcess(arguments, std::chrono::seconds(120),
                                         {{"VELMORA_SETTINGS", (cliDir_ / "settings.ini").string()}});
    EXPECT_EQ(cli.status, 0) << cli.err;
    EXPECT_EQ(impressMessages, cli.out);

    const std::string key = palette.shape == std::string("Pair") ? "group" : palette.shape;
    const auto look = [&](const std::filesystem::path& file) {
        return PaletteLooks(*decks_.Open(file)->Slides()->Item(2), palette.target).at(key);
    };
    EXPECT_NE(look(cliDir_ / "deck.pptx"), look(impressDir_ / "deck.pptx"));
    EXPECT_EQ(look(impressDir_ / "impress.pptx"), look(cliDir_ / "deck.pptx"));
}

INSTANTIATE_TEST_SUITE_P(
    TargetsAndShapes, PaletteAgreesWithVelmora,
    ::testing::Values(PaletteCase{"OptionButton4", "Box"}, PaletteCase{"OptionButton4", "Pair"},
                      PaletteCase{"OptionButton4", "Grid"}, PaletteCase{"OptionButton5", "Box"},
                      PaletteCase{"OptionButton5", "Pair"}, PaletteCase{"OptionButton5", "Grid"},
                      PaletteCase{"OptionButton6", "Plain"}, PaletteCase{"OptionButton6", "Pair"},
                      PaletteCase{"OptionButton6", "Grid"}),
    [](const ::testing::TestParamInfo<PaletteCase>& param) {
        return std::string(param.param.target) + "_" + param.param.shape;
    });

// 正文文字 at a fixed size, through Impress and through velmora run: on a
// deck made in Impress (its placeholders named "PlaceHolder N", its text box
// a text shape) and on the command line's demo deck (whose text box sits in
// a group). Both change the same text: bodies, subtitles and text boxes, not
// titles.
// Every check box is set: the dialog starts from the choices Impress's
// earlier presses kept.
Script BodiesAt33()
{
    Script script{{"--set", "OptionButton2=true"}};
    for (int box = 1; box <= 13; ++box) {
        const bool ticked = box == 2 || box == 5;
        script.emplace_back("--set", "CheckBox" + std::to_string(box) + (ticked ? "=true" : "=false"));
    }
    script.insert(script.end(),
                  {{"--set", "OptionButton10=true"}, {"--set", "ComboBox3=33"}, {"--click", "CommandButton1"}});
    return script;
}

// A title slide with a text box, and a title and content slide, made in
// Impress and saved as .pptx.
void MakeDeckInImpress(const std::filesystem::path& file)
{
    using css::uno::Reference;
    using css::uno::UNO_QUERY_THROW;
    LiveDeck live = LiveDeck::New("private:factory/simpress");
    const Reference<css::drawing::XDrawPages> pages(
        Reference<css::drawing::XDrawPagesSupplier>(live.model(), UNO_QUERY_THROW)->getDrawPages());
    const auto write = [](const css::uno::Any& shape, const std::string& text) {
        Reference<css::text::XText>(shape, UNO_QUERY_THROW)->setString(impress::ToUno(text));
    };
    const Reference<css::drawing::XShapes> first(pages->getByIndex(0), UNO_QUERY_THROW);
    write(first->getByIndex(0), "Heading");
    write(first->getByIndex(1), "Subheading");
    const Reference<css::drawing::XShape> box(
        Reference<css::lang::XMultiServiceFactory>(live.model(), UNO_QUERY_THROW)
            ->createInstance("com.sun.star.drawing.TextShape"),
        UNO_QUERY_THROW);
    first->add(box);
    box->setPosition(css::awt::Point(2000, 15000));
    box->setSize(css::awt::Size(8000, 2000));
    write(css::uno::Any(box), "Loose words");
    const Reference<css::beans::XPropertySet> second(pages->insertNewByIndex(0), UNO_QUERY_THROW);
    constexpr sal_Int16 kTitleAndContent = 1;
    second->setPropertyValue("Layout", css::uno::Any(kTitleAndContent));
    const Reference<css::drawing::XShapes> secondShapes(second, UNO_QUERY_THROW);
    write(secondShapes->getByIndex(0), "Second heading");
    write(secondShapes->getByIndex(1), "A point");
    live.StoreAs(file);
}

void MakeDemoDeck(const std::filesystem::path& file)
{
    const ProcessResult made = RunProcess({VELMORA_BIN, "demo-deck", file.string()}, std::chrono::seconds(60));
    ASSERT_EQ(made.status, 0) << made.err;
}

// The size of a text's first run, a group's members' in their place; "-"
// for a shape without text.
std::string TextSize(host::Shape& shape)
{
    if (shape.Type() == host::ShapeType::Group) {
        std::string sizes;
        auto members = shape.GroupItems();
        for (int i = 1; i <= members->Count(); ++i) {
            sizes += "[" + TextSize(*members->Item(i)) + "]";
        }
        return sizes;
    }
    if (shape.HasTextFrame() != host::TriState::True || shape.TextFrame()->TextRange()->RunCount() == 0) {
        return "-";
    }
    return std::to_string(std::lround(shape.TextFrame()->TextRange()->Runs(1)->Font()->Size()));
}

// The same for each shape of each slide, in shape order.
std::vector<std::string> SlideTextSizes(DeckHost& decks, const std::filesystem::path& file)
{
    std::vector<std::string> sizes;
    auto slides = decks.Open(file)->Slides();
    for (int i = 1; i <= slides->Count(); ++i) {
        std::string slide;
        auto shapes = slides->Item(i)->Shapes();
        for (int s = 1; s <= shapes->Count(); ++s) {
            slide += " " + TextSize(*shapes->Item(s));
        }
        sizes.push_back(slide);
    }
    return sizes;
}

struct BodyTextCase {
    const char* name;
    void (*make)(const std::filesystem::path&);
    std::vector<std::string> sizes;  // afterwards: titles keep 44, the rest is 33
};

void PrintTo(const BodyTextCase& deck, std::ostream* out)
{
    *out << deck.name;
}

class BodyTextAgreesWithVelmora : public ::testing::TestWithParam<BodyTextCase> {
protected:
    TempDir impressDir_;
    TempDir cliDir_;
    DeckHost decks_;
};

TEST_P(BodyTextAgreesWithVelmora, OnTheTextItChanges)
{
    GetParam().make(impressDir_ / "deck.pptx");
    std::filesystem::copy_file(impressDir_ / "deck.pptx", cliDir_ / "deck.pptx");
    Office::Get().TakeMessages();
    {
        LiveDeck live(impressDir_ / "deck.pptx");
        live.Press("SetFont_main", "mySetFont", BodiesAt33());
        live.StoreAs(impressDir_ / "impress.pptx");
    }
    const std::string impressMessages = Office::Get().TakeMessages();
    std::vector<std::string> arguments{VELMORA_BIN, "run", "SetFont_main", (cliDir_ / "deck.pptx").string(),
                                       "--no-open"};
    for (const auto& [option, value] : BodiesAt33()) {
        arguments.push_back(option);
        arguments.push_back(value);
    }
    const ProcessResult cli = RunProcess(arguments, std::chrono::seconds(120),
                                         {{"VELMORA_SETTINGS", (cliDir_ / "settings.ini").string()}});
    ASSERT_EQ(cli.status, 0) << cli.err;
    EXPECT_EQ(impressMessages, cli.out);

    EXPECT_EQ(SlideTextSizes(decks_, cliDir_ / "deck.pptx"), GetParam().sizes);
    EXPECT_EQ(SlideTextSizes(decks_, impressDir_ / "impress.pptx"), GetParam().sizes);
}

INSTANTIATE_TEST_SUITE_P(Decks, BodyTextAgreesWithVelmora,
                         ::testing::Values(BodyTextCase{"MadeInImpress", MakeDeckInImpress, {" 44 33 33", " 44 33"}},
                                           BodyTextCase{"DemoDeck",
                                                        MakeDemoDeck,
                                                        {" 44 33", " 44 33", " 44 -", " 44 [18][18] 33", " 44 -"}}),
                         [](const ::testing::TestParamInfo<BodyTextCase>& param) { return param.param.name; });

// The web commands, once through Impress and once through velmora run, with
// every web address pointing at one test server and the same settings on
// both sides: the messages, the addresses opened and the requests the
// server saw agree.
class WebCommandsAgree : public ::testing::TestWithParam<Press> {
protected:
    void SetUp() override
    {
        server_.Serve("/UpdateServer/ppt/VelmoraXML.xml", 200, kNewerVersion);
        server_.Serve("/TranslateServer/v2/Http.svc/Translate", 200,
                      "<string xmlns=\"http://schemas.microsoft.com/2003/10/Serialization/\">blue sky</string>");
        decks_.BuildNumbered(dir_ / "deck.pptx", 3, 2);
    }

    // Every endpoint at "<server>/<its key>" in Impress's settings, and a
    // copy of those settings for each velmora run.
    void PointEndpointsAtServer()
    {
        platform::FileSettingsStore impress(Office::Get().settings());
        for (const char* key : kEndpoints) {
            kept_.emplace_back(key, impress.GetSetting(host::kAppName, web::kEndpointsSection, key));
            impress.SaveSetting(host::kAppName, web::kEndpointsSection, key, server_.Base() + "/" + key);
        }
        for (const char* copy : {"cli-settings.ini", "json-settings.ini"}) {
            std::filesystem::copy_file(Office::Get().settings(), dir_ / copy);
        }
    }

    // Impress's endpoints as they were; the other settings stay as the press left them, as between presses.
    void TearDown() override
    {
        platform::FileSettingsStore impress(Office::Get().settings());
        for (const auto& [key, value] : kept_) {
            impress.SaveSetting(host::kAppName, web::kEndpointsSection, key, value);
        }
    }

    ProcessResult Velmora(const Press& press, const char* settings, std::vector<std::string> options)
    {
        std::vector<std::string> arguments{VELMORA_BIN, "run", press.onAction, (dir_ / "deck.pptx").string(),
                                           "--no-open"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        for (const auto& [option, value] : press.script) {
            arguments.push_back(option);
            arguments.push_back(value);
        }
        return RunProcess(arguments, std::chrono::seconds(120), {{"VELMORA_SETTINGS", (dir_ / settings).string()}});
    }

    // The requests the server saw since the last call.
    std::vector<std::string> TakeRequests()
    {
        std::vector<std::string> targets;
        for (const HttpServer::Request& request : server_.Requests()) {
            targets.push_back(request.target);
        }
        std::vector<std::string> taken(targets.begin() + static_cast<std::ptrdiff_t>(seen_), targets.end());
        seen_ = targets.size();
        return taken;
    }

    static constexpr const char* kNewerVersion =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Data>\n  <AppData>\n    <AppName>Velmora</AppName>\n"
        "    <Version>2.1</Version>\n    <DownloadUrl>http://mirror.example/velmora-2.1.zip</DownloadUrl>\n"
        "    <Piclink></Piclink>\n    <ShareUrl></ShareUrl>\n  </AppData>\n</Data>\n";

    static constexpr const char* kEndpoints[] = {
        "UpdateServer", "TranslateServer", "ProductPage", "ResourcesPage", "SharePicture",
        "ShareService", "SearchSite1",     "SearchSite2", "SearchSite3",   "SearchSite4",
        "SearchSite5",  "SearchSite6",     "SearchSite7", "SearchSite8",   "SearchSite9",
        "AuthorFollowPage", "AuthorHomePage", "AuthorBlog", "CommunitySite1", "CommunitySite2", "DonationPage"};

    TempDir dir_;
    DeckHost decks_;
    HttpServer server_;
    std::size_t seen_ = 0;
    std::vector<std::pair<std::string, std::string>> kept_;
};

// The transcript's list of addresses, as velmora run's JSON writes it.
std::string AsJsonList(const std::vector<std::string>& addresses)
{
    std::string list = "[";
    for (const std::string& address : addresses) {
        list += (list.size() > 1 ? ",\"" : "\"") + address + "\"";
    }
    return list + "]";
}

std::string OpenedInTranscript(const std::string& json)
{
    const std::size_t start = json.find("\"opened\":");
    const std::size_t end = json.find(",\"exitStatus\":", start);
    return start == std::string::npos ? "(no transcript)" : json.substr(start + 9, end - start - 9);
}

TEST_P(WebCommandsAgree, OnMessagesAddressesAndRequests)
{
    const Press& press = GetParam();
    std::string impressMessages;
    {
        LiveDeck live(dir_ / "deck.pptx");
        Office::Get().TakeMessages();
        Office::Get().TakeOpened();
        PointEndpointsAtServer();
        live.Press(press.onAction, press.controlId, press.script);
        EXPECT_TRUE(live.UndoTitles().empty());
    }
    impressMessages = Office::Get().TakeMessages();
    const std::string impressOpened = AsJsonList(Office::Get().TakeOpened());
    const std::vector<std::string> impressRequests = TakeRequests();

    const ProcessResult cli = Velmora(press, "cli-settings.ini", {});
    const std::vector<std::string> cliRequests = TakeRequests();
    const ProcessResult json = Velmora(press, "json-settings.ini", {"--json"});

    EXPECT_EQ(impressMessages, cli.out) << cli.err;
    EXPECT_EQ(impressOpened, OpenedInTranscript(json.out)) << json.err;
    EXPECT_EQ(impressRequests, cliRequests);
}

INSTANTIATE_TEST_SUITE_P(
    WebCommands, WebCommandsAgree,
    ::testing::Values(Press{"SearchUrl1_Click", "quanjing", {{"--input", "风景 照片"}}},
                      Press{"SearchUrl2_Click", "Nipic", {{"--input", "风景 照片"}}},
                      Press{"SearchUrl3_Click", "gettyimages", {{"--input", "风景"}}},
                      Press{"SearchUrl4_Click", "Flickr", {{"--input", "蓝 天"}}},
                      Press{"SearchUrl5_Click", "stockphoto", {{"--input", "蓝天"}}},
                      Press{"SearchUrl6_Click", "IconPng", {{"--input", "图标"}}},
                      Press{"SearchUrl7_Click", "FindIcons", {{"--input", "蓝天"}}},
                      Press{"SearchUrl8_Click", "MrIcons", {{"--input", "蓝天"}}},
                      Press{"SearchUrl9_Click", "IconLet", {{"--input", "蓝天"}}},
                      Press{"SearchUrl1_Click", "quanjing", {}},
                      Press{"PPTBooks_Click", "myMoreBooks2", {}},
                      // The gallery's first book, the item velmora run presses.
                      Press{"galAction", "PPTBooks&index=0", {}},
                      Press{"SharetoWeibo_Click", "SharetoWeibo", {}},
                      Press{"CheckUpdate_Click", "CheckUpdate", {{"--answer", "yes"}}},
                      Press{"CheckUpdate_Click", "CheckUpdate", {{"--answer", "no"}}},
                      // The author's dialog, its links followed by one script.
                      Press{"Author_Click",
                            "AboutAuthor",
                            {{"--click", "ImgWeibo"},
                             {"--click", "Label8"},
                             {"--click", "Label9"},
                             {"--click", "Label10"},
                             {"--click", "Label11"},
                             {"--click", "Label12"},
                             {"--click", "Label13"},
                             {"--click", "Cmd_OK"}}}),
    [](const ::testing::TestParamInfo<Press>& param) {
        const Press& press = param.param;
        const bool no = !press.script.empty() && press.script.front().second == "no";
        const bool cancelled = press.script.empty() && press.onAction.starts_with("SearchUrl");
        return press.onAction + (no ? "_No" : "") + (cancelled ? "_Cancelled" : "");
    });

}  // namespace
}  // namespace velmora::testing
