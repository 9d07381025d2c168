#include <cstdlib>
#include <string>
#include <vector>

#include "tests/cli/VelmoraFixture.hpp"

namespace velmora::testing {
namespace {

class ProgressTest : public VelmoraTest {
protected:
    // Every slide as a small PNG, through the picture export dialog.
    std::vector<std::string> ExportArguments(const std::filesystem::path& deck) const
    {
        return {VELMORA_BINARY, "run",   "ExportPic_main",          deck.string(), "--no-open",
                "--set",        "OptionButton1=true", "--set",  "OptionButton8=true", "--set",
                "OptionButton4=true", "--click", "Cmd_OK"};
    }

    std::map<std::string, std::string> Environment() const
    {
        return {{"VELMORA_SETTINGS", (dir_ / "settings.ini").string()}};
    }
};

TEST_F(ProgressTest, ATerminalSeesTheConversionAndEachPicture)
{
    const std::filesystem::path deck = MakeDeckWithNotes("deck.pptx", {"a", "b", "c"});
    std::vector<std::string> command{"/usr/bin/python3", "-c",
                                     "import pty,sys; sys.exit(pty.spawn(sys.argv[1:]) >> 8)"};
    const std::vector<std::string> export_ = ExportArguments(deck);
    command.insert(command.end(), export_.begin(), export_.end());
    const ProcessResult outcome = RunProcess(command, std::chrono::seconds(300), Environment());
    EXPECT_EQ(outcome.status, 0) << outcome.out << outcome.err;
    const std::string& screen = outcome.out;
    const std::size_t converting = screen.find("LibreOffice is converting the slides... 0 s");
    const std::size_t converted = screen.find("LibreOffice converted the slides in ");
    // Pictures drawn on both cores may finish together: the count can skip
    // a number, but it starts after the conversion and ends at the total.
    const std::size_t counting = screen.find("picture ");
    const std::size_t last = screen.find("picture 3/3");
    EXPECT_NE(converting, std::string::npos) << screen;
    EXPECT_LT(converting, converted) << screen;
    EXPECT_LT(converted, counting) << screen;
    ASSERT_NE(last, std::string::npos) << screen;
    EXPECT_EQ(screen.find("picture ", last + 1), std::string::npos) << screen;
    EXPECT_TRUE(std::filesystem::exists(dir_ / "deck-导出图片"));
}

TEST_F(ProgressTest, AFailedConversionEndsItsLineBeforeTheError)
{
    const std::filesystem::path deck = MakeDeckWithNotes("deck.pptx", {"a"});
    const std::filesystem::path bin = dir_ / "bin";
    std::filesystem::create_directory(bin);
    WriteBytes(bin / "soffice", "#!/bin/sh\nexit 1\n");
    std::filesystem::permissions(bin / "soffice", std::filesystem::perms::owner_all);
    std::vector<std::string> command{"/usr/bin/python3", "-c",
                                     "import pty,sys; sys.exit(pty.spawn(sys.argv[1:]) >> 8)"};
    const std::vector<std::string> export_ = ExportArguments(deck);
    command.insert(command.end(), export_.begin(), export_.end());
    auto environment = Environment();
    environment["PATH"] = bin.string() + ":" + std::getenv("PATH");
    const ProcessResult outcome = RunProcess(command, std::chrono::seconds(300), environment);
    EXPECT_EQ(outcome.status, 3) << outcome.out;
    EXPECT_TRUE(Contains(outcome.out, "LibreOffice gave up after ")) << outcome.out;
    EXPECT_TRUE(Contains(outcome.out, " s\r\nvelmora: ExportPic_main failed")) << outcome.out;
}

TEST_F(ProgressTest, PipesAndQuietRunsStayClean)
{
    const std::filesystem::path deck = MakeDeckWithNotes("deck.pptx", {"a", "b"});
    const ProcessResult piped = RunProcess(ExportArguments(deck), std::chrono::seconds(300), Environment());
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_FALSE(Contains(piped.err, "LibreOffice is converting")) << piped.err;
    EXPECT_FALSE(Contains(piped.err, "picture 1/2")) << piped.err;

    std::vector<std::string> command{"/usr/bin/python3", "-c",
                                     "import pty,sys; sys.exit(pty.spawn(sys.argv[1:]) >> 8)"};
    const std::vector<std::string> export_ = ExportArguments(deck);
    command.insert(command.end(), export_.begin(), export_.end());
    command.push_back("-q");
    const ProcessResult quiet = RunProcess(command, std::chrono::seconds(300), Environment());
    EXPECT_EQ(quiet.status, 0) << quiet.out;
    EXPECT_FALSE(Contains(quiet.out, "picture 1/2")) << quiet.out;
}

TEST_F(ProgressTest, VerboseShowsThePartsAndLibreOfficesCommandLine)
{
    const std::filesystem::path deck = MakeDeckWithNotes("deck.pptx", {"a"});
    std::vector<std::string> arguments = ExportArguments(deck);
    arguments.push_back("-v");
    const ProcessResult outcome = RunProcess(arguments, std::chrono::seconds(300), Environment());
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(Contains(outcome.err, "velmora: read ppt/presentation.xml\n")) << outcome.err;
    EXPECT_TRUE(Contains(outcome.err, "velmora: run soffice --headless")) << outcome.err;
    EXPECT_TRUE(Contains(outcome.err, "--convert-to pdf")) << outcome.err;
}

TEST_F(ProgressTest, ABatchConvertsEveryFileThroughOneKeptLibreOffice)
{
    const std::filesystem::path first = MakeDeckWithNotes("first.pptx", {"a", "b"});
    const std::filesystem::path second = MakeDeckWithNotes("second.pptx", {"a", "b", "c"});
    std::vector<std::string> arguments = ExportArguments(first);
    arguments.insert(arguments.begin() + 4, second.string());
    arguments.push_back("-v");
    const ProcessResult outcome = RunProcess(arguments, std::chrono::seconds(300), Environment());
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    std::size_t starts = 0;
    for (const std::string& line : Lines(outcome.err)) {
        starts += line.starts_with("velmora: start ") && Contains(line, "velmora-office") ? 1 : 0;
    }
    EXPECT_EQ(starts, 1u) << outcome.err;
    EXPECT_FALSE(Contains(outcome.err, "velmora: run soffice")) << outcome.err;
    // LibreOffice converts the second file while the first one's slides are drawn.
    EXPECT_TRUE(Contains(outcome.err, "velmora: convert second.pptx ahead of its turn\n")) << outcome.err;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_ / "first-导出图片"), {}), 2);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_ / "second-导出图片"), {}), 3);
}

}  // namespace
}  // namespace velmora::testing
