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
    EXPECT_EQ(options.file, "deck.pptx");
    EXPECT_EQ(options.slide, 3);
    EXPECT_EQ(options.selectedSlides, (std::vector<int>{4, 2}));
    ASSERT_TRUE(options.selectedShapes.has_value());
    EXPECT_EQ(options.selectedShapes->slide, 2);
    EXPECT_EQ(options.selectedShapes->names, (std::vector<std::string>{"Title 1", "Box"}));
    EXPECT_EQ(options.answers, (std::vector<bool>{false, true}));
    EXPECT_EQ(options.inputs, (std::vector<std::string>{"两个 words"}));
    EXPECT_EQ(options.files, (std::vector<std::string>{"a.swf"}));
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
    RunOptions options = ParseRunOptions({"CheckUpdate_Click", "deck.pptx", "--startup-answer", "no", "--answer",
                                          "yes", "--startup", "--startup-answer", "yes"});
    EXPECT_TRUE(options.startup);
    EXPECT_EQ(options.startupAnswers, (std::vector<bool>{false, true}));
    EXPECT_EQ(options.answers, (std::vector<bool>{true}));
    EXPECT_FALSE(ParseRunOptions({"About_Click", "deck.pptx"}).startup);

    options = ParseStartupOptions({"--json", "--startup-answer", "no"});
    EXPECT_TRUE(options.startup);
    EXPECT_TRUE(options.json);
    EXPECT_EQ(options.startupAnswers, (std::vector<bool>{false}));
    EXPECT_THROW(ParseStartupOptions({"--startup-answer", "Yes"}), UsageError);
    EXPECT_THROW(ParseStartupOptions({"--slide", "2"}), UsageError);
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
        {"About_Click", "a.pptx", "b.pptx"},
        {"About_Click", "a.pptx", "--slide"},
        {"About_Click", "a.pptx", "--slide", "0"},
        {"About_Click", "a.pptx", "--slide", "2x"},
        {"About_Click", "a.pptx", "--select", "1,,2"},
        {"About_Click", "a.pptx", "--shapes", "Title 1"},
        {"About_Click", "a.pptx", "--shapes", "1:"},
        {"About_Click", "a.pptx", "--answer", "Yes"},
        {"About_Click", "a.pptx", "--frobnicate"},
        {"About_Click", "a.pptx", "-o", "b.pptx", "--no-save"},
    };
    for (const auto& arguments : bad) {
        EXPECT_THROW(ParseRunOptions(arguments), UsageError) << ::testing::PrintToString(arguments);
    }
}

}  // namespace
}  // namespace velmora::cli
