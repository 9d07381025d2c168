#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "addin/BookGallery.hpp"
#include "addin/RibbonDefinition.hpp"
#include "host/Host.hpp"
#include "pptx/DocumentHost.hpp"
#include "tests/cli/VelmoraFixture.hpp"

namespace velmora::testing {
namespace {

using VelmoraCommandTest = VelmoraTest;

TEST_F(VelmoraCommandTest, RibbonPrintsTheDefinitionAndOneNewline)
{
    const ProcessResult outcome = Velmora({"ribbon"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, addin::RibbonDefinition() + "\n");
    EXPECT_EQ(outcome.err, "");
}

TEST_F(VelmoraCommandTest, CommandsListsEveryOnActionWithItsGroupLabelAndState)
{
    const ProcessResult outcome = Velmora({"commands"});
    EXPECT_EQ(outcome.status, 0);
    const std::vector<std::string> listed = Lines(outcome.out);
    ASSERT_EQ(listed.size(), addin::RibbonCommands().size());
    EXPECT_EQ(listed.front(), "SetFont_main\t设计\t设置字体\tbuilt");
    EXPECT_NE(std::find(listed.begin(), listed.end(), "ExportComment_All_Main\t文档\t导出全部幻灯片备注\tbuilt"),
              listed.end());
    EXPECT_NE(std::find(listed.begin(), listed.end(), "galAction\t资源\t专业资源\tbuilt"), listed.end());
    for (const std::string& line : listed) {
        EXPECT_TRUE(line.ends_with("\tbuilt")) << line;
    }
}

TEST_F(VelmoraCommandTest, CommandsAsJson)
{
    const ProcessResult outcome = Velmora({"commands", "--json"});
    EXPECT_EQ(outcome.status, 0);
    WriteBytes(dir_ / "commands.json", outcome.out);
    const ProcessResult parsed = RunProcess(
        {"/usr/bin/python3", "-c",
         "import json,sys; d=json.load(open(sys.argv[1])); c=d[0]; "
         "print(len(d), c['command'], c['group'], c['label'], c['built'])",
         (dir_ / "commands.json").string()});
    EXPECT_EQ(parsed.out, std::to_string(addin::RibbonCommands().size()) + " SetFont_main 设计 设置字体 True\n")
        << parsed.err;
}

TEST_F(VelmoraCommandTest, BadUsageExitsTwoWithTheUsage)
{
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, {"rub"}, {"run", "OnlyACommand"}, {"run", "About_Click", "x.pptx", "--slide"},
          {"run", "About_Click", "x.pptx", "--answer", "maybe"}, {"ribbon", "extra"}}) {
        const ProcessResult outcome = Velmora(arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_NE(outcome.err.find("usage: velmora"), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.out, "");
    }
}

TEST_F(VelmoraCommandTest, UnknownCommandExitsTwoAndLeavesTheFile)
{
    const std::filesystem::path deck = MakeDeck("deck.pptx");
    const std::string before = ReadBytes(deck);
    const ProcessResult outcome = Velmora({"run", "ExportComment_Everything", deck.string()});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("unknown command \"ExportComment_Everything\""), std::string::npos) << outcome.err;
    const ProcessResult misspelt = Velmora({"run", "ExportComent_All_Main", deck.string()});
    EXPECT_NE(misspelt.err.find("(did you mean ExportComment_All_Main?)"), std::string::npos) << misspelt.err;
    EXPECT_NE(Velmora({"rnu"}).err.find("(did you mean run?)"), std::string::npos);
    EXPECT_EQ(ReadBytes(deck), before);
}

TEST_F(VelmoraCommandTest, UnreadableFileExitsTwoAndIsLeftAlone)
{
    const std::filesystem::path broken = dir_ / "broken.pptx";
    WriteBytes(broken, "this is not a presentation");
    ProcessResult outcome = Velmora({"run", "About_Click", broken.string()});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("broken.pptx"), std::string::npos) << outcome.err;
    EXPECT_EQ(ReadBytes(broken), "this is not a presentation");

    outcome = Velmora({"run", "About_Click", (dir_ / "missing.pptx").string()});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("missing.pptx: no such file"), std::string::npos) << outcome.err;
}

TEST_F(VelmoraCommandTest, ImpossibleViewOrScriptExitsTwoAndLeavesTheFile)
{
    const std::filesystem::path deck = MakeDeck("deck.pptx");
    const std::string before = ReadBytes(deck);
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"--slide", "3"}, {"--select", "1,5"}, {"--shapes", "1:No Such Shape"},
          {"--drag", "Image1=5"}}) {
        std::vector<std::string> arguments{"run", "About_Click", deck.string()};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const ProcessResult outcome = Velmora(arguments);
        EXPECT_EQ(outcome.status, 2) << options.front();
        EXPECT_NE(outcome.err.find("velmora: "), std::string::npos);
        EXPECT_EQ(outcome.err.find("usage:"), std::string::npos) << outcome.err;
    }
    EXPECT_EQ(ReadBytes(deck), before);
}

// Each is found before the command runs: the notes file is never written.
TEST_F(VelmoraCommandTest, BadVersionKeyOrOutputExitsTwoBeforeTheCommandRuns)
{
    const std::filesystem::path deck = MakeDeck("deck.pptx");
    const auto before = Snapshot();
    const std::string longName = (dir_ / (std::string(100000, 'n') + ".pptx")).string();
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"--host-version", ""}, {"--host-version", "abc"}, {"--host-version", "-1"},
          {"--host-version", "14.0\n"}, {"--host-version", std::string(100000, '1')}, {"--key", "nosuchkey"},
          {"-o", longName}, {"-o", (dir_ / std::string(300, 'n')).string() + ".pptx"},
          {"-o", (dir_ / "missing" / "out.pptx").string()}, {"-o", dir_.path().string()}}) {
        std::vector<std::string> arguments{"run", "ExportComment_All_Main", deck.string()};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const ProcessResult outcome = Velmora(arguments);
        EXPECT_EQ(outcome.status, 2) << options.front() << " " << options.back().substr(0, 40) << outcome.err;
        EXPECT_LT(outcome.err.size(), 1000u) << "the message repeats the long value";
        EXPECT_EQ(Snapshot(), before) << options.front() << " " << options.back().substr(0, 40);
    }
}

// A pipe or a device would be read for ever, as a deck would.
TEST_F(VelmoraCommandTest, AScreenThatIsNoRegularFileExitsTwo)
{
    const std::filesystem::path deck = MakeDeck("deck.pptx");
    const std::filesystem::path pipe = dir_ / "screen.ppm";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::filesystem::path& screen : {pipe, std::filesystem::path("/dev/zero"), dir_.path()}) {
        const ProcessResult outcome =
            RunProcess({VELMORA_BINARY, "run", "GetColor_main", deck.string(), "--screen", screen.string()},
                       std::chrono::seconds(20), {{"VELMORA_SETTINGS", (dir_ / "settings.ini").string()}});
        EXPECT_EQ(outcome.status, 2) << screen;
        EXPECT_NE(outcome.err.find("--screen " + screen.string() + ": is a"), std::string::npos) << outcome.err;
    }
}

TEST_F(VelmoraCommandTest, CommandNamesMatchInAnyCase)
{
    const std::filesystem::path deck = MakeDeck("deck.pptx");
    const ProcessResult outcome = Velmora({"run", "exportCOMMENT_all_MAIN", deck.string(), "--json"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.out.find("\"command\":\"ExportComment_All_Main\""), std::string::npos) << outcome.out;
}

TEST_F(VelmoraCommandTest, GalleryPressOpensTheFirstBookPage)
{
    const std::filesystem::path deck = MakeDeck("deck.pptx");
    std::map<std::string, std::string> environment = StubOpener();
    environment["VELMORA_BOOK_SITE"] = "http://books.example";
    const ProcessResult outcome = Velmora({"run", "GALACTION", deck.string()}, environment);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    // The opener is not waited for.
    for (int i = 0; i < 100 && Opened().empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(Opened(), "http://books.example" + std::string(addin::RecommendedBooks()[0].page) + "\n");
}

TEST_F(VelmoraCommandTest, JsonTranscriptCarriesTheExitStatus)
{
    const std::filesystem::path deck = MakeDeck("deck.pptx");
    const ProcessResult outcome = Velmora({"run", "ExportComment_All_Main", deck.string(), "--json", "--unsaved"});
    EXPECT_EQ(outcome.status, 1);
    const std::filesystem::path json = dir_ / "transcript.json";
    WriteBytes(json, outcome.out);
    // Python's parser is the judge of validity.
    const ProcessResult parsed = RunProcess(
        {"/usr/bin/python3", "-c",
         "import json,sys; d=json.load(open(sys.argv[1])); "
         "print(d['exitStatus'], d['command'], len(d['messages']), d['filesWritten'], d['error'])",
         json.string()});
    EXPECT_EQ(parsed.status, 0) << parsed.err << "\n" << outcome.out;
    EXPECT_EQ(parsed.out, "1 ExportComment_All_Main 1 [] None\n");
}

TEST_F(VelmoraCommandTest, OutputIsWrittenAlsoWhenTheDeckIsUnchanged)
{
    const auto deck = MakeDeck("deck.pptx");
    const std::string before = ReadBytes(deck);
    const auto out = dir_ / "out.pptx";
    WriteBytes(out, "an older file in the way");
    const ProcessResult outcome =
        Velmora({"run", "ExportComment_All_Main", deck.string(), "-o", out.string(), "--json"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(ReadBytes(out), before) << "a plain copy";
    EXPECT_EQ(ReadBytes(deck), before);
    EXPECT_NE(outcome.out.find("out.pptx"), std::string::npos) << "reported as written: " << outcome.out;
}

TEST_F(VelmoraCommandTest, DemoDeckReopensWithItsSlidesAndNotes)
{
    const std::filesystem::path deck = dir_ / "demo.pptx";
    const ProcessResult outcome = Velmora({"demo-deck", deck.string()});
    EXPECT_EQ(outcome.status, 0) << outcome.err;

    auto application = pptx::CreateDocumentHost(host::Services{});
    auto presentation = application->Presentations()->Open(deck, true, false, false);
    auto slides = presentation->Slides();
    ASSERT_EQ(slides->Count(), 5);
    const auto notes = [&](int slide) {
        return slides->Item(slide)->NotesPage()->Shapes()->Placeholders()->Item(2)->TextFrame()->TextRange()->Text();
    };
    EXPECT_EQ(notes(1), "标题页的备注只有一段。");
    EXPECT_EQ(notes(2), "正文页备注的第一段。\r正文页备注的第二段。");
    EXPECT_EQ(notes(3), "");

    EXPECT_EQ(outcome.err, "") << "every part of the deck was made";
    const auto lastShape = [&](int slide) {
        auto shapes = slides->Item(slide)->Shapes();
        return shapes->Item(shapes->Count());
    };
    EXPECT_EQ(lastShape(3)->Type(), host::ShapeType::Table);
    const auto group = slides->Item(4)->Shapes()->Item("Demo Group");
    EXPECT_EQ(group->Type(), host::ShapeType::Group);
    EXPECT_EQ(group->GroupItems()->Count(), 2);
    EXPECT_EQ(lastShape(5)->Type(), host::ShapeType::Picture);
    EXPECT_EQ(slides->Item(2)->TimeLine()->MainSequence()->Count(), 1);
    EXPECT_EQ(slides->Item(4)->TimeLine()->MainSequence()->Count(), 1);
    EXPECT_EQ(slides->Item(2)->SlideShowTransition()->EntryEffect(), host::EntryEffect::Fade);
    EXPECT_EQ(slides->Item(3)->SlideShowTransition()->EntryEffect(), host::EntryEffect::Push);
}

}  // namespace
}  // namespace velmora::testing
