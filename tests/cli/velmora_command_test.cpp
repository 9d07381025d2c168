#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "addin/BookGallery.hpp"
#include "addin/RibbonDefinition.hpp"
#include "host/Host.hpp"
#include "pptx/DocumentHost.hpp"
#include "tests/support/Process.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {
namespace {

std::string ReadBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

class VelmoraCommandTest : public ::testing::Test {
protected:
    // Settings go to the test's folder, never to the user's.
    ProcessResult Velmora(std::vector<std::string> arguments, std::map<std::string, std::string> environment = {})
    {
        arguments.insert(arguments.begin(), VELMORA_BINARY);
        environment.emplace("VELMORA_SETTINGS", (dir_ / "settings.ini").string());
        return RunProcess(arguments, std::chrono::seconds(300), environment);
    }

    // A two-slide deck written by the host.
    std::filesystem::path MakeDeck(const std::string& name)
    {
        const std::filesystem::path file = dir_ / name;
        auto application = pptx::CreateDocumentHost(host::Services{});
        auto presentation = application->Presentations()->Add(false);
        presentation->Slides()->Add(1, host::SlideLayout::Title);
        presentation->Slides()->Add(2, host::SlideLayout::Text);
        presentation->SaveAs(file, host::SaveFormat::Presentation);
        presentation->Close();
        return file;
    }

    TempDir dir_;
};

TEST_F(VelmoraCommandTest, RibbonPrintsTheDefinitionAndOneNewline)
{
    const ProcessResult outcome = Velmora({"ribbon"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, addin::RibbonDefinition() + "\n");
    EXPECT_EQ(outcome.err, "");
}

TEST_F(VelmoraCommandTest, CommandsListsEveryOnActionWithItsLabel)
{
    const ProcessResult outcome = Velmora({"commands"});
    EXPECT_EQ(outcome.status, 0);
    std::istringstream lines(outcome.out);
    std::vector<std::string> listed;
    for (std::string line; std::getline(lines, line);) {
        listed.push_back(line);
    }
    ASSERT_EQ(listed.size(), addin::RibbonCommands().size());
    EXPECT_EQ(listed.front(), "SetFont_main\t设置字体");
    EXPECT_NE(std::find(listed.begin(), listed.end(), "ExportComment_All_Main\t导出全部幻灯片备注"), listed.end());
    EXPECT_NE(std::find(listed.begin(), listed.end(), "galAction\t专业资源"), listed.end());
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

TEST_F(VelmoraCommandTest, CommandNamesMatchInAnyCaseAndUnbuiltOnesFail)
{
    const std::filesystem::path deck = MakeDeck("deck.pptx");
    const std::string before = ReadBytes(deck);
    const ProcessResult outcome = Velmora({"run", "getCOLOR_main", deck.string(), "--slide", "2"});
    EXPECT_EQ(outcome.status, 3);
    EXPECT_NE(outcome.err.find("GetColor_main: this command is not available yet"), std::string::npos)
        << outcome.err;
    EXPECT_EQ(ReadBytes(deck), before);
}

TEST_F(VelmoraCommandTest, GalleryPressOpensTheFirstBookPage)
{
    const std::filesystem::path deck = MakeDeck("deck.pptx");
    const std::filesystem::path bin = dir_ / "bin";
    const std::filesystem::path opened = dir_ / "opened.txt";
    std::filesystem::create_directory(bin);
    WriteBytes(bin / "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + opened.string() + "'\n");
    std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);

    const ProcessResult outcome =
        Velmora({"run", "GALACTION", deck.string()}, {{"PATH", bin.string() + ":" + std::getenv("PATH")}});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    // The opener is not waited for.
    for (int i = 0; i < 100 && ReadBytes(opened).empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(ReadBytes(opened), std::string(addin::RecommendedBooks()[0].address) + "\n");
}

TEST_F(VelmoraCommandTest, JsonTranscriptCarriesTheExitStatus)
{
    const std::filesystem::path deck = MakeDeck("deck.pptx");
    const ProcessResult outcome = Velmora({"run", "GetColor_main", deck.string(), "--json", "--answer", "no"});
    EXPECT_EQ(outcome.status, 3);
    const std::filesystem::path json = dir_ / "transcript.json";
    WriteBytes(json, outcome.out);
    // Python's parser is the judge of validity.
    const ProcessResult parsed = RunProcess(
        {"/usr/bin/python3", "-c",
         "import json,sys; d=json.load(open(sys.argv[1])); "
         "print(d['exitStatus'], d['command'], len(d['messages']), d['filesWritten'], d['error'])",
         json.string()});
    EXPECT_EQ(parsed.status, 0) << parsed.err << "\n" << outcome.out;
    EXPECT_EQ(parsed.out, "3 GetColor_main 0 [] GetColor_main: this command is not available yet\n");
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
