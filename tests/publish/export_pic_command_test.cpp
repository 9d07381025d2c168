// Slide pictures through the velmora command, the dialog scripted as a user
// would work it.
#include <array>
#include <filesystem>

#include "host/SettingsStore.hpp"
#include "tests/publish/CommandFixture.hpp"

namespace velmora::testing {
namespace {

using Names = std::vector<std::string>;
using Paths = std::vector<std::filesystem::path>;

class ExportPicCommand : public CommandTest {
protected:
    ProcessResult Export(const std::filesystem::path& file, std::vector<std::string> options = {})
    {
        std::vector<std::string> args{"run", "ExportPic_main", file.string()};
        args.insert(args.end(), options.begin(), options.end());
        return Velmora(args);
    }

    std::filesystem::path folder(const std::string& baseName = "deck") const
    {
        return dir_ / (baseName + "-导出图片");
    }

    std::string Stored(const std::string& key) const
    {
        return settings_.GetSetting(host::kAppName, "Settings", key, "(none)");
    }

    void Store(const std::string& key, const std::string& button)
    {
        settings_.SaveSetting(host::kAppName, "Settings", key, button);
    }
};

TEST_F(ExportPicCommand, TheChosenSizeIsTheLongEdgeAndTheShortOneKeepsTheSlidesProportion)
{
    struct Case {
        const char* name;
        float width, height;
        const char* size;
        PixelSize expected;
    };
    const Case cases[] = {{"standard", 720, 540, "OptionButton10", {1280, 960}},
                          {"wide", 960, 540, "OptionButton11", {1400, 787}},
                          {"portrait", 540, 720, "OptionButton10", {960, 1280}},
                          {"square", 600, 600, "OptionButton8", {960, 960}}};
    for (const Case& c : cases) {
        const auto file = deck(std::string(c.name) + ".pptx");
        BuildDeck(decks_, file, 1, c.width, c.height);
        const auto run = Export(file, {"--set", std::string(c.size) + "=true", "--click", "Cmd_OK"});
        ASSERT_EQ(run.status, 0) << c.name << ": " << run.err;
        EXPECT_EQ(SizeOfFile(folder(c.name) / "幻灯片1.JPG"), c.expected) << c.name;
    }
}

TEST_F(ExportPicCommand, EveryFormatIsTheFilterAndTheExtensionOfEverySlidesPicture)
{
    BuildDeck(decks_, deck(), 2);
    const std::array<std::string, 5> formats{"JPG", "PNG", "GIF", "BMP", "EMF"};
    for (std::size_t i = 0; i < formats.size(); ++i) {
        const std::string& format = formats[i];
        const auto run = Export(deck(), {"--set", "OptionButton" + std::to_string(3 + i) + "=true"});
        ASSERT_EQ(run.status, 0) << format << ": " << run.err;
        for (int slide = 1; slide <= 2; ++slide) {
            const auto picture = folder() / ("幻灯片" + std::to_string(slide) + "." + format);
            if (format == "EMF") {
                // An enhanced metafile's header record carries " EMF" at byte 40.
                EXPECT_EQ(ReadBytes(picture).substr(40, 4), " EMF") << picture;
            } else {
                EXPECT_EQ(SizeOfFile(picture), (PixelSize{960, 720})) << picture;
            }
        }
    }
    EXPECT_EQ(FileNames(folder()).size(), 10u);
}

TEST_F(ExportPicCommand, AllSlidesGoToTheFolderBesideTheDeckThenTheSelectedOnesInSelectionOrder)
{
    const auto talk = deck("talk.v2.pptx");
    const auto pictures = folder("talk.v2");
    BuildDeck(decks_, talk, 10);

    auto run = Export(talk, {"--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("幻灯片已成功导出为图片！\\r保存在 [talk.v2-导出图片] 目录中"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("[\"" + pictures.string() + "\"]"), std::string::npos) << run.out;
    EXPECT_EQ(FileNames(pictures).size(), 10u);
    EXPECT_EQ(SizeOfFile(pictures / "幻灯片10.JPG"), (PixelSize{960, 720}));
    EXPECT_EQ(opener_.Shown(1), Paths{pictures});

    const std::vector<std::string> selection{"--select", "5,2,9", "--set", "OptionButton2=true",
                                             "--set", "OptionButton4=true", "--click", "Cmd_OK"};
    run = Export(talk, selection);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kTitle) + "幻灯片已成功导出为图片！\n保存在 [talk.v2-导出图片] 目录中\n");
    const auto firstRound = std::filesystem::last_write_time(pictures / "幻灯片5.PNG");

    // Written one by one in the selection's order; the second round
    // overwrites the first.
    std::vector<std::string> withTranscript = selection;
    withTranscript.push_back("--json");
    run = Export(talk, withTranscript);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto five = run.out.find("幻灯片5.PNG");
    const auto two = run.out.find("幻灯片2.PNG");
    const auto nine = run.out.find("幻灯片9.PNG");
    ASSERT_NE(nine, std::string::npos) << run.out;
    EXPECT_LT(five, two) << run.out;
    EXPECT_LT(two, nine) << run.out;
    EXPECT_LT(firstRound, std::filesystem::last_write_time(pictures / "幻灯片5.PNG"));
    EXPECT_EQ(FileNames(pictures).size(), 13u);
    EXPECT_EQ(SizeOfFile(pictures / "幻灯片9.PNG"), (PixelSize{960, 720}));
    EXPECT_EQ(opener_.Shown(3), (Paths{pictures, pictures, pictures}));
}

TEST_F(ExportPicCommand, TheChoicesComeBackNextTime)
{
    BuildDeck(decks_, deck(), 3);
    auto run = Export(deck(), {"--select", "3", "--set", "OptionButton2=true", "--set", "OptionButton9=true",
                               "--set", "OptionButton4=true"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Stored("ExportPicOpt1"), "OptionButton2");
    EXPECT_EQ(Stored("ExportPicOpt2"), "OptionButton9");
    EXPECT_EQ(Stored("ExportPicOpt3"), "OptionButton4");

    run = Export(deck(), {"--select", "1"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(FileNames(folder()), (Names{"幻灯片1.PNG", "幻灯片3.PNG"}));
    EXPECT_EQ(SizeOfFile(folder() / "幻灯片1.PNG"), (PixelSize{1024, 768}));
}

TEST_F(ExportPicCommand, AStoredNameThatIsNoButtonLeavesItsGroupEmpty)
{
    BuildDeck(decks_, deck(), 3);
    // No size chosen: the export cannot go on and writes nothing.
    Store("ExportPicOpt2", "OptionButton16");
    auto run = Export(deck());
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("ExportPic_main failed"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder()));

    // No range chosen is not "All": the selected slides are exported.
    Store("ExportPicOpt1", "OptionButton0");
    Store("ExportPicOpt2", "OptionButton8");
    run = Export(deck(), {"--select", "2"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(FileNames(folder()), Names{"幻灯片2.JPG"});
}

}  // namespace
}  // namespace velmora::testing
