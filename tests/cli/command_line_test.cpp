#include <gtest/gtest.h>

#include "cli/CommandLine.hpp"

namespace velmora::cli {
namespace {

TEST(CommandLineTest, ReadsEveryRunOption)
{
    const RunOptions options = ParseRunOptions(
        {"ExportComment_All_Main", "deck.pptx", "--slide", "3", "--select", "4,2", "--shapes", "2:Title 1,Box",
         "--answer", "no", "--answer", "yes", "--input", "两个 words", "--file", "a.swf", "--color", "255,0,16",
         "--color", "#10FF00", "--set", "OptionButton2=true", "--click", "Cmd_OK", "--type", "TextBox1=ab",
         "--drag", "Image1=5,-3", "--host-version", "12.0", "--unsaved", "-o", "out.pptx", "--json"});
    EXPECT_EQ(options.command, "ExportComment_All_Main");
    EXPECT_EQ(options.files, (std::vector<std::filesystem::path>{"deck.pptx"}));
    EXPECT_EQ(options.slide, 3);
    EXPECT_EQ(options.selectedSlides, (std::vector<int>{4, 2}));
    ASSERT_TRUE(options.selectedShapes.has_value());
    EXPECT_EQ(options.selectedShapes->slide, 2);
    EXPECT_EQ(options.selectedShapes->names, (std::vector<std::string>{"Title 1", "Box"}));
    EXPECT_EQ(options.answers, (std::vector<bool>{false, true}));
    EXPECT_EQ(options.inputs, (std::vector<std::string>{"两个 words"}));
    EXPECT_EQ(options.pickedFiles, (std::vector<std::string>{"a.swf"}));
    EXPECT_EQ(options.colors, (std::vector<host::Color>{255 + 65536 * 16, 16 + 256 * 255}));
    ASSERT_EQ(options.dialogSteps.size(), 4u);
    EXPECT_EQ(options.dialogSteps[0].option, "--set");
    EXPECT_EQ(options.dialogSteps[3].argument, "Image1=5,-3");
    EXPECT_EQ(options.hostVersion, "12.0");
    EXPECT_TRUE(options.unsaved);
    EXPECT_EQ(options.output, std::filesystem::path("out.pptx"));
    EXPECT_FALSE(options.noSave);
    EXPECT_TRUE(options.json);
}

// Start-up answers queue apart from the command's own.
TEST(CommandLineTest, StartupOptionsKeepTheirOwnAnswers)
{
    const RunOptions options = ParseRunOptions({"CheckUpdate_Click", "deck.pptx", "--startup-answer", "no",
                                                "--answer", "yes", "--startup", "--startup-answer", "yes"});
    EXPECT_TRUE(options.startup);
    EXPECT_EQ(options.startupAnswers, (std::vector<bool>{false, true}));
    EXPECT_EQ(options.answers, (std::vector<bool>{true}));
    EXPECT_FALSE(ParseRunOptions({"About_Click", "deck.pptx"}).startup);

    RunOptions alone;
    const ParsedArguments parsed =
        ParseOptions(StartupOptionTable(), {"--json", "--startup-answer=no", "--startup-answer", "yes"}, alone);
    EXPECT_TRUE(parsed.arguments.empty());
    EXPECT_TRUE(alone.json);
    EXPECT_EQ(alone.startupAnswers, (std::vector<bool>{false, true}));
    EXPECT_THROW(ParseOptions(StartupOptionTable(), {"--startup-answer", "Yes"}, alone), UsageError);
    EXPECT_THROW(ParseOptions(StartupOptionTable(), {"--slide", "2"}, alone), UsageError);
}

// The colour picker's screen: a picture, a pointer and keys among the dialog's steps.
TEST(CommandLineTest, ScriptedScreenOptions)
{
    const RunOptions options = ParseRunOptions({"GetColor_main", "deck.pptx", "--screen=screen.png", "--pointer",
                                                "12,-3", "--click", "Cmd_Pick", "--key", "F2"});
    EXPECT_EQ(options.screen, std::filesystem::path("screen.png"));
    EXPECT_EQ(options.pointerX, 12);
    EXPECT_EQ(options.pointerY, -3);
    ASSERT_EQ(options.dialogSteps.size(), 2u);
    EXPECT_EQ(options.dialogSteps[1].option, "--key");
    EXPECT_EQ(options.dialogSteps[1].argument, "F2");
    EXPECT_THROW(ParseRunOptions({"GetColor_main", "deck.pptx", "--pointer", "12"}), UsageError);
    EXPECT_THROW(ParseRunOptions({"GetColor_main", "deck.pptx", "--pointer", "x,1"}), UsageError);
}

// What the tools read as the host's version, and the keys the scripted
// screen knows, are checked before anything runs; a message stays one short line.
TEST(CommandLineTest, HostVersionsAndKeyNamesAreCheckedAsTheyAreRead)
{
    const auto run = [](const std::string& option, const std::string& value) {
        return ParseRunOptions({"GetColor_main", "deck.pptx", option, value});
    };
    for (const char* version : {"12.0", "14", "16.0.1"}) {
        EXPECT_EQ(run("--host-version", version).hostVersion, version);
    }
    for (const std::string& version :
         {std::string(), std::string("abc"), std::string("-1"), std::string("14.0\n"), std::string("14..0"),
          std::string("14."), std::string(100000, '9')}) {
        try {
            run("--host-version", version);
            ADD_FAILURE() << "took " << version.substr(0, 20);
        } catch (const UsageError& error) {
            const std::string message = error.what();
            EXPECT_TRUE(message.starts_with("--host-version wants a version number")) << message;
            EXPECT_LT(message.size(), 120u);
            EXPECT_EQ(message.find('\n'), std::string::npos);
        }
    }
    for (const char* key : {"a", "Z", "7", "F5", "comma", "space", "Escape", "KP_7", "shift+a", "ctrl+alt+F2", "Shift_L"}) {
        EXPECT_EQ(run("--key", key).dialogSteps.back().argument, key);
    }
    for (const char* key : {"", "frobnicate", "shift+", "hyper+a", "a b", "F99"}) {
        EXPECT_THROW(run("--key", key), UsageError) << key;
    }
}

TEST(CommandLineTest, DefaultsLeaveTheViewAndTheFileAsTheyAre)
{
    const RunOptions options = ParseRunOptions({"About_Click", "deck.pptx"});
    EXPECT_FALSE(options.slide.has_value());
    EXPECT_EQ(options.hostVersion, "14.0");
    EXPECT_FALSE(options.output.has_value());
    EXPECT_FALSE(options.noSave || options.unsaved || options.json);
}

TEST(CommandLineTest, ColoursInBothForms)
{
    EXPECT_EQ(ParseColor("0,0,0"), 0);
    EXPECT_EQ(ParseColor("1,2,3"), 1 + 2 * 256 + 3 * 65536);
    EXPECT_EQ(ParseColor("#010203"), 1 + 2 * 256 + 3 * 65536);
    EXPECT_EQ(ParseColor("#ffffff"), 0xFFFFFF);
    for (const char* bad : {"256,0,0", "1,2", "1,2,3,4", "-1,0,0", "#12345", "#1234567", "#GG0000", "red", ""}) {
        EXPECT_THROW(ParseColor(bad), UsageError) << bad;
    }
}

TEST(CommandLineTest, RefusesMalformedRuns)
{
    const std::vector<std::vector<std::string>> bad{
        {},
        {"About_Click"},
        {"About_Click", "a.pptx", "b.pptx", "-o", "c.pptx"},
        {"About_Click", "a.pptx", "--json=yes"},
        {"About_Click", "a.pptx", "-qv"},
        {"About_Click", "a.pptx", "--slide="},
        {"About_Click", "a.pptx", "--slide"},
        {"About_Click", "a.pptx", "--slide", "0"},
        {"About_Click", "a.pptx", "--slide", "2x"},
        {"About_Click", "a.pptx", "--select", "1,,2"},
        {"About_Click", "a.pptx", "--shapes", "Title 1"},
        {"About_Click", "a.pptx", "--shapes", "1:"},
        {"About_Click", "a.pptx", "--answer", "Yes"},
        {"About_Click", "a.pptx", "--frobnicate"},
        {"About_Click", "a.pptx", "-o", "b.pptx", "--no-save"},
        {"About_Click", "a.pptx", "-o", ""},
        {"About_Click", "a.pptx", "--output="},
    };
    for (const auto& arguments : bad) {
        EXPECT_THROW(ParseRunOptions(arguments), UsageError) << ::testing::PrintToString(arguments);
    }
}

TEST(CommandLineTest, OptionsInTheirUsualForms)
{
    const RunOptions options = ParseRunOptions({"--slide=2", "About_Click", "--select=1,3", "--input=a=b", "a.pptx",
                                                "-q", "--", "-x.pptx", "--json"});
    EXPECT_EQ(options.slide, 2);
    EXPECT_EQ(options.selectedSlides, (std::vector<int>{1, 3}));
    EXPECT_EQ(options.inputs, (std::vector<std::string>{"a=b"}));
    EXPECT_EQ(options.verbosity, Verbosity::Quiet);
    // After "--" everything is a file.
    EXPECT_EQ(options.files, (std::vector<std::filesystem::path>{"a.pptx", "-x.pptx", "--json"}));
    EXPECT_FALSE(options.json);

    EXPECT_EQ(ParseRunOptions({"About_Click", "a.pptx", "--output", "b.pptx"}).output, std::filesystem::path("b.pptx"));
    EXPECT_EQ(ParseRunOptions({"About_Click", "a.pptx", "-oout.pptx"}).output, std::filesystem::path("out.pptx"));
    EXPECT_EQ(ParseRunOptions({"About_Click", "a.pptx", "--output=o.pptx"}).output, std::filesystem::path("o.pptx"));
    EXPECT_EQ(ParseRunOptions({"About_Click", "a.pptx", "-v"}).verbosity, Verbosity::Verbose);
    EXPECT_EQ(ParseRunOptions({"About_Click", "-"}).files, (std::vector<std::filesystem::path>{"-"}));
}

TEST(CommandLineTest, HelpWinsUnlessItIsAValue)
{
    EXPECT_TRUE(ParseRunOptions({"--help"}).help);
    EXPECT_TRUE(ParseRunOptions({"About_Click", "-h", "--frobnicate=1"}).help);
    const RunOptions typed = ParseRunOptions({"About_Click", "a.pptx", "--input", "--help"});
    EXPECT_FALSE(typed.help);
    EXPECT_EQ(typed.inputs, (std::vector<std::string>{"--help"}));
    EXPECT_FALSE(ParseRunOptions({"About_Click", "--", "--help"}).help);
}

TEST(CommandLineTest, SeveralFilesMakeABatch)
{
    const RunOptions options = ParseRunOptions({"RemoveAnimation_All_Main", "a.pptx", "b.pptx", "c.pptx", "--no-open"});
    EXPECT_EQ(options.files.size(), 3u);
    EXPECT_TRUE(options.noOpen);
}

}  // namespace
}  // namespace velmora::cli
