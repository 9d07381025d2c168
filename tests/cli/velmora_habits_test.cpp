#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>

#include "font/frm_setFont.hpp"
#include "forms/ScriptedDriver.hpp"
#include "host/Host.hpp"
#include "platform/TextEncoding.hpp"
#include "pptx/DocumentHost.hpp"
#include "tests/cli/VelmoraFixture.hpp"

namespace velmora::testing {
namespace {

using HelpTest = VelmoraTest;

std::string JsonPath(const std::filesystem::path& path)
{
    return "\"" + path.string() + "\"";
}

TEST_F(HelpTest, EveryWayOfAskingPrintsUsageOnStdout)
{
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--help"}, {"-h"}, {"help"}, {"help", "run"}, {"run", "--help"},
          {"run", "-h"}, {"run", "About_Click", "--help"}, {"commands", "--help"}, {"dialog", "-h"},
          {"ribbon", "--help"}}) {
        const ProcessResult outcome = Velmora(arguments);
        EXPECT_EQ(outcome.status, 0) << arguments.front();
        EXPECT_TRUE(outcome.out.starts_with("usage: velmora")) << outcome.out;
        EXPECT_EQ(outcome.err, "");
    }
    const std::string general = Velmora({"--help"}).out;
    for (const char* part : {"run COMMAND FILE...", "dialog FORM", "VELMORA_CODEPAGE", "exit status:"}) {
        EXPECT_TRUE(Contains(general, part)) << part;
    }
    const std::string run = Velmora({"help", "run"}).out;
    EXPECT_EQ(Velmora({"run", "--help"}).out, run);
    for (const char* part : {"--slide N", "--output OUT, -o OUT", "--dry-run", "--opt=value"}) {
        EXPECT_TRUE(Contains(run, part)) << part;
    }
}

TEST_F(HelpTest, VersionNamesTheProgram)
{
    const ProcessResult outcome = Velmora({"--version"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "velmora 2.0\n");
}

TEST_F(HelpTest, DemoDeckHelpWritesNoFileButAfterDashDashItIsAName)
{
    const ProcessResult help = VelmoraIn(dir_.path(), {"demo-deck", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("usage: velmora demo-deck FILE")) << help.out;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "--help"));

    const ProcessResult named = VelmoraIn(dir_.path(), {"demo-deck", "--", "-x.pptx"});
    EXPECT_EQ(named.status, 0) << named.err;
    EXPECT_TRUE(std::filesystem::is_regular_file(dir_ / "-x.pptx"));

    const ProcessResult run = VelmoraIn(dir_.path(), {"run", "ExportComment_All_Main", "--", "-x.pptx"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "-x-导出备注_")) << run.out;
}

TEST_F(HelpTest, UsageErrorsStayOnStderr)
{
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"run", "About_Click", "x.pptx", "--json=1"}, {"help", "nothing"},
          {"run", "About_Click", "x.pptx", "-q", "-o"}, {"dialog"}}) {
        const ProcessResult outcome = Velmora(arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.out, "");
        EXPECT_TRUE(Contains(outcome.err, "usage: velmora")) << outcome.err;
    }
}

using OptionFormsTest = VelmoraTest;

TEST_F(OptionFormsTest, SlideWithEqualsSplitsFromThatSlide)
{
    const std::filesystem::path deck = MakeDeckWithNotes("deck.pptx", {"one", "two", "three"});
    const ProcessResult outcome = Velmora({"run", "SplitDoc_fromhere_Main", deck.string(), "--slide=2", "--answer=yes"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    auto copy = decks_.Open(dir_ / "deck-拆分文档.pptx");
    EXPECT_EQ(DeckHost::Titles(*copy), (std::vector<std::string>{"Title 2", "Title 3"}));
}

class DialogListingTest : public VelmoraTest {};

TEST_F(DialogListingTest, FontDialogListsEveryControlWithItsCaptionInOrder)
{
    const ProcessResult outcome = Velmora({"dialog", "frm_setFont"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const std::vector<std::string> rows = Lines(outcome.out);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), "name\tkind\tcaption\ttip\tgroup\trange\tvalue\toperable");

    // The dialog as the tool makes it is the reference.
    auto application = pptx::CreateDocumentHost(host::Services{});
    forms::ScriptedDriver driver;
    font::md_SetFont module([] { return std::vector<std::string>{}; });
    font::frm_setFont dialog(driver, *application, host::Services{}, module);
    ASSERT_EQ(rows.size(), dialog.Controls().size() + 1);
    for (std::size_t i = 0; i < dialog.Controls().size(); ++i) {
        const forms::Control& control = *dialog.Controls()[i];
        const std::string expected = control.Name() + "\t" + std::string(control.TypeName());
        EXPECT_TRUE(rows[i + 1].starts_with(expected)) << rows[i + 1];
        EXPECT_TRUE(Contains(rows[i + 1], "\t" + control.Caption() + "\t")) << rows[i + 1];
    }
    EXPECT_TRUE(Contains(outcome.out, "CommandButton1\tCommandButton\t确定(O)\t"));
    EXPECT_TRUE(Contains(outcome.out, "ComboBox1\tComboBox\t\t选择中文字体样式\t"));
    EXPECT_TRUE(Contains(outcome.out, "OptionButton3\tOptionButton\t")) << "option buttons name their group";
}

TEST_F(DialogListingTest, JsonListingAndUnknownForms)
{
    const ProcessResult outcome = Velmora({"dialog", "FRM_EXPORTPIC", "--json"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    WriteBytes(dir_ / "dialog.json", outcome.out);
    const ProcessResult parsed = RunProcess(
        {"/usr/bin/python3", "-c",
         "import json,sys; d=json.load(open(sys.argv[1])); "
         "o=[c for c in d['controls'] if c['kind']=='OptionButton']; "
         "print(d['form'], len(o), sorted(set(c['group'] for c in o)), o[0]['range'])",
         (dir_ / "dialog.json").string()});
    EXPECT_EQ(parsed.out, "frm_ExportPic 15 ['G1', 'G2', 'G3'] true|false\n") << parsed.err;

    const ProcessResult unknown = Velmora({"dialog", "frm_setFnt"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(Contains(unknown.err, "did you mean frm_setFont?")) << unknown.err;
}

// Every form of the add-in is listed, also those a script reaches through
// their commands' dialogs only (the modeless picker, the Flash and montage
// dialogs, the author box).
TEST_F(DialogListingTest, EveryFormOfTheAddinIsADialog)
{
    const std::vector<std::pair<std::string, std::string>> forms{
        {"frm_Author", "Cmd_OK\tCommandButton\t"},        {"frm_Colorpicker", "Lab_Color0\tLabel\t"},
        {"frm_CombinPic", "OptionButton17\tOptionButton\tGIF\t"}, {"frm_ExportPic", "Cmd_OK\t"},
        {"frm_addFlash", "ShockwaveFlash1\t"},             {"frm_myColor", "L_Disp\tLabel\t"},
        {"frm_setFont", "CheckBox1\tCheckBox\t"}};
    const ProcessResult unknown = Velmora({"dialog", "frm_none"});
    std::string names;
    for (const auto& [form, row] : forms) {
        names += (names.empty() ? "" : ", ") + form;
        const ProcessResult listed = Velmora({"dialog", form});
        EXPECT_EQ(listed.status, 0) << form << ": " << listed.err;
        EXPECT_TRUE(Contains(listed.out, "\n" + row)) << form << ":\n" << listed.out;
    }
    EXPECT_TRUE(Contains(unknown.err, "the dialogs are " + names + "\n")) << unknown.err;
}

TEST_F(DialogListingTest, UnknownControlInAScriptSuggestsTheRightOne)
{
    const std::filesystem::path deck = MakeDeck("deck.pptx");
    const std::string before = ReadBytes(deck);
    const ProcessResult outcome = Velmora({"run", "SetFont_main", deck.string(), "--set", "CheckBx1=true"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(Contains(outcome.err, "no control named \"CheckBx1\" (did you mean CheckBox1")) << outcome.err;
    EXPECT_EQ(ReadBytes(deck), before);
}

using OutputHabitsTest = VelmoraTest;

TEST_F(OutputHabitsTest, NoOpenStartsNothing)
{
    const std::filesystem::path deck = MakeDeck("deck.pptx");
    auto environment = StubOpener();
    EXPECT_EQ(Velmora({"run", "galAction", deck.string(), "--no-open"}, environment).status, 0);
    environment["VELMORA_NO_OPEN"] = "1";
    EXPECT_EQ(Velmora({"run", "galAction", deck.string()}, environment).status, 0);
    environment["VELMORA_NO_OPEN"] = "";
    environment["DISPLAY"] = "";
    const ProcessResult verbose = Velmora({"run", "galAction", deck.string(), "-v"}, environment);
    EXPECT_EQ(verbose.status, 0);
    EXPECT_TRUE(Contains(verbose.err, "not opened: http")) << verbose.err;
    // Any opener would have finished by now.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(Opened(), "");
}

TEST_F(OutputHabitsTest, QuietHidesTheMessagesButNotTheOutcome)
{
    const std::filesystem::path deck = MakeDeckWithNotes("deck.pptx", {"a", "b"});
    const ProcessResult loud = Velmora({"run", "DeleteComment_All_Main", deck.string(), "--no-save"});
    EXPECT_TRUE(Contains(loud.out, "所有备注信息已删除!")) << loud.out;
    const ProcessResult quiet = Velmora({"run", "DeleteComment_All_Main", deck.string(), "-q"});
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.out, "");
    auto presentation = decks_.Open(deck);
    EXPECT_EQ(DeckHost::Notes(*presentation->Slides()->Item(1)), "");
}

TEST_F(OutputHabitsTest, VerboseShowsThePartsReadAndWritten)
{
    const std::filesystem::path deck = MakeDeckWithNotes("deck.pptx", {"a"});
    const ProcessResult outcome = Velmora({"run", "DeleteComment_All_Main", deck.string(), "-v"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(Contains(outcome.err, "velmora: read ppt/presentation.xml\n")) << outcome.err;
    EXPECT_TRUE(Contains(outcome.err, "velmora: write ppt/notesSlides/")) << outcome.err;
    EXPECT_TRUE(Contains(outcome.err, "velmora: save ")) << outcome.err;
    EXPECT_EQ(Velmora({"run", "DeleteComment_All_Main", deck.string()}).err, "");
}

TEST_F(OutputHabitsTest, DryRunReportsWhatItWouldWriteAndWritesNothing)
{
    const std::filesystem::path deck = MakeDeckWithNotes("deck.pptx", {"第一页", "第二页"});
    WriteBytes(dir_ / "settings.ini", "[Other]\nKey=1\n");
    const auto before = Snapshot();

    const ProcessResult exported = Velmora({"run", "ExportComment_All_Main", deck.string(), "--dry-run"});
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_TRUE(Contains(exported.out, "would write " + (dir_ / "deck-导出备注_").string())) << exported.out;
    EXPECT_TRUE(Contains(exported.out, "deck-导出备注_")) << "the message names the file";
    EXPECT_FALSE(Contains(exported.out, "velmora-dry-run")) << exported.out;

    const ProcessResult deleted = Velmora({"run", "DeleteComment_All_Main", deck.string(), "--dry-run", "--json"});
    EXPECT_EQ(deleted.status, 0) << deleted.err;
    EXPECT_TRUE(Contains(deleted.out, "\"filesWritten\":[" + JsonPath(deck) + "]")) << deleted.out;
    EXPECT_TRUE(Contains(deleted.out, "\"dryRun\":true"));

    const ProcessResult split = Velmora({"run", "SplitDoc_fromhere_Main", deck.string(), "--dry-run", "--slide", "2",
                                         "--answer", "no", "-o", (dir_ / "out.pptx").string()});
    EXPECT_EQ(split.status, 0) << split.err;
    EXPECT_TRUE(Contains(split.out, "would write " + (dir_ / "deck-拆分文档.pptx").string())) << split.out;
    EXPECT_TRUE(Contains(split.out, "would write " + (dir_ / "out.pptx").string())) << split.out;

    EXPECT_EQ(Snapshot(), before);
}

}  // namespace
}  // namespace velmora::testing
