// The export dialog against a host that records its exports.
#include <filesystem>

#include "forms/Forms.hpp"
#include "host/Prompts.hpp"
#include "publish/ExportPic.hpp"
#include "tests/publish/PublishFixture.hpp"

namespace velmora::testing {
namespace {

using Exports = std::vector<ExportCall>;
using MessageList = std::vector<Message>;

class ExportPicture : public PublishTest {
protected:
    void SetUp() override { deck_->path = dir_.path().string(); }

    void Run(std::vector<forms::ScriptStep> steps)
    {
        forms::ScriptedDriver driver(std::move(steps));
        RunWith(driver);
    }

    void RunWith(forms::FormDriver& driver)
    {
        auto application = CreateRecordingHost(deck_);
        publish::ExportPic_main(*application, Services(), driver);
    }

    std::filesystem::path folder() const { return dir_ / "deck-导出图片"; }

    std::shared_ptr<RecordedDeck> deck_ = std::make_shared<RecordedDeck>();
};

bool Selected(const forms::UserForm& form, int number)
{
    return form.Controls<forms::OptionButton>("OptionButton" + std::to_string(number)).Value();
}

TEST_F(ExportPicture, TheDefaultsExportAllSlidesAsJpgOf960)
{
    Run({});
    EXPECT_EQ(deck_->exports, (Exports{{0, dir_ / "deck-导出图片.JPG", "JPG", 960, 720}}));
    EXPECT_EQ(Messages(), (MessageList{{kExportedMessage, host::MsgStyle::Information}}));
    EXPECT_EQ(shell_->shown, std::vector<std::filesystem::path>{folder()});
    EXPECT_EQ(written_->All(), std::vector<std::filesystem::path>{folder()});
    EXPECT_EQ(Setting("ExportPicOpt1"), "OptionButton1");
    EXPECT_EQ(Setting("ExportPicOpt2"), "OptionButton8");
    EXPECT_EQ(Setting("ExportPicOpt3"), "OptionButton3");
}

TEST_F(ExportPicture, EachFormatIsTheFilterAndTheExtension)
{
    const std::vector<std::string> formats{"JPG", "PNG", "GIF", "BMP", "EMF"};
    for (int i = 0; i < 5; ++i) {
        deck_->exports.clear();
        Run({Click("OptionButton" + std::to_string(3 + i)), Click("Cmd_OK")});
        const std::string& format = formats[static_cast<std::size_t>(i)];
        EXPECT_EQ(deck_->exports, (Exports{{0, dir_ / ("deck-导出图片." + format), format, 960, 720}}));
    }
}

TEST_F(ExportPicture, TheSizeChosenIsTheLongEdge)
{
    struct Case {
        float width, height;
        const char* button;
        int pixelsWide, pixelsHigh;
    };
    const Case cases[] = {{960, 540, "OptionButton11", 1400, 787},
                          {540, 720, "OptionButton10", 960, 1280},
                          {600, 600, "OptionButton13", 2048, 2048}};
    for (const Case& c : cases) {
        deck_->slideWidth = c.width;
        deck_->slideHeight = c.height;
        deck_->exports.clear();
        Run({Click(c.button), Click("Cmd_OK")});
        ASSERT_EQ(deck_->exports.size(), 1u);
        EXPECT_EQ(deck_->exports[0].width, c.pixelsWide) << c.width << " x " << c.height << " " << c.button;
        EXPECT_EQ(deck_->exports[0].height, c.pixelsHigh) << c.width << " x " << c.height << " " << c.button;
    }
}

TEST_F(ExportPicture, SelectedSlidesGoOneByOneInSelectionOrderIntoTheFolderBesideTheDeck)
{
    deck_->name = "talk.v2.pptx";
    deck_->selectedSlides = {5, 2, 9};
    const auto folder = dir_ / "talk.v2-导出图片";
    for (int run = 0; run < 2; ++run) {
        deck_->exports.clear();
        Run({Click("OptionButton2"), Click("OptionButton4"), Click("OptionButton10")});
        EXPECT_EQ(deck_->exports, (Exports{{5, folder / "幻灯片5.PNG", "PNG", 1280, 960},
                                           {2, folder / "幻灯片2.PNG", "PNG", 1280, 960},
                                           {9, folder / "幻灯片9.PNG", "PNG", 1280, 960}}))
            << "run " << run;
        EXPECT_TRUE(std::filesystem::is_directory(folder));
    }
    EXPECT_EQ(written_->All().size(), 6u);
    EXPECT_EQ(written_->All()[0], folder / "幻灯片5.PNG");
    const Message done{"幻灯片已成功导出为图片！\r保存在 [talk.v2-导出图片] 目录中", host::MsgStyle::Information};
    EXPECT_EQ(Messages(), (MessageList{done, done}));
    EXPECT_EQ(shell_->shown, (std::vector<std::filesystem::path>{folder, folder}));
}

TEST_F(ExportPicture, WithoutASelectionNothingIsWrittenOrShown)
{
    Run({Click("OptionButton2"), Click("Cmd_OK")});
    EXPECT_EQ(Messages(), (MessageList{{host::kNoSelectionMessage, host::MsgStyle::Critical}}));
    EXPECT_TRUE(deck_->exports.empty());
    EXPECT_FALSE(std::filesystem::exists(folder()));
    EXPECT_TRUE(shell_->shown.empty());
    // The choice was saved before the export looked at the selection.
    EXPECT_EQ(Setting("ExportPicOpt1"), "OptionButton2");
}

TEST_F(ExportPicture, TheChoicesComeBackNextTime)
{
    deck_->selectedSlides = {1};
    Run({Click("OptionButton2"), Click("OptionButton12"), Click("OptionButton6"), Click("Cmd_OK")});
    EXPECT_EQ(Setting("ExportPicOpt1"), "OptionButton2");
    EXPECT_EQ(Setting("ExportPicOpt2"), "OptionButton12");
    EXPECT_EQ(Setting("ExportPicOpt3"), "OptionButton6");

    std::vector<int> selected;
    InspectingDriver driver(
        [&](forms::UserForm& form) {
            for (int number = 1; number <= 15; ++number) {
                if (Selected(form, number)) {
                    selected.push_back(number);
                }
            }
        },
        {Click("Cmd_Cancel")});
    RunWith(driver);
    EXPECT_EQ(selected, (std::vector<int>{2, 6, 12}));
}

TEST_F(ExportPicture, CancelKeepsTheOldChoicesAndExportsNothing)
{
    Run({Click("OptionButton2"), Click("OptionButton7"), Click("Cmd_Cancel")});
    EXPECT_TRUE(deck_->exports.empty());
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Setting("ExportPicOpt1"), "(none)");
}

TEST_F(ExportPicture, AStoredNameThatIsNoButtonLeavesItsGroupEmpty)
{
    settings_->SaveSetting(host::kAppName, "Settings", "ExportPicOpt2", "OptionButton16");
    std::vector<int> selected;
    auto record = [&](forms::UserForm& form) {
        for (int number = 1; number <= 15; ++number) {
            if (Selected(form, number)) {
                selected.push_back(number);
            }
        }
    };
    InspectingDriver cancelled(record, {Click("Cmd_Cancel")});
    RunWith(cancelled);
    EXPECT_EQ(selected, (std::vector<int>{1, 3}));

    // Confirmed so, the export has no size to work with and writes nothing.
    InspectingDriver confirmed([](forms::UserForm&) {}, {Click("Cmd_OK")});
    EXPECT_THROW(RunWith(confirmed), std::runtime_error);
    EXPECT_TRUE(deck_->exports.empty());
    EXPECT_EQ(Setting("ExportPicOpt2"), "OptionButton16");
}

TEST_F(ExportPicture, ANeverSavedDeckIsRefusedBeforeItsSlidesAreCounted)
{
    deck_->path.clear();
    deck_->slideCount = 0;
    InspectingDriver driver([](forms::UserForm&) {}, {});
    RunWith(driver);
    EXPECT_FALSE(driver.shown);
    EXPECT_EQ(Messages(), (MessageList{{host::kNotSavedMessage, host::MsgStyle::Exclamation}}));
}

TEST_F(ExportPicture, ADeckWithoutSlidesIsRefused)
{
    deck_->slideCount = 0;
    InspectingDriver driver([](forms::UserForm&) {}, {});
    RunWith(driver);
    EXPECT_FALSE(driver.shown);
    EXPECT_EQ(Messages(), (MessageList{{host::kNoSlidesMessage, host::MsgStyle::Critical}}));
}

TEST_F(ExportPicture, AShellThatCannotShowTheFolderIsIgnored)
{
    shell_ = std::make_shared<RecordingShell>(true);
    Run({});
    EXPECT_EQ(deck_->exports.size(), 1u);
    EXPECT_EQ(Messages(), (MessageList{{kExportedMessage, host::MsgStyle::Information}}));
}

}  // namespace
}  // namespace velmora::testing
