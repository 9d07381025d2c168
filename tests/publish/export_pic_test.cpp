// The export dialog's choices and refusals on the document host; nothing
// here gets as far as drawing a picture.
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "forms/Forms.hpp"
#include "host/Prompts.hpp"
#include "host/SettingsStore.hpp"
#include "publish/ExportPic.hpp"
#include "tests/publish/PublishFixture.hpp"

namespace velmora::testing {
namespace {

using MessageList = std::vector<Message>;
using Buttons = std::vector<int>;

class ExportPicture : public PublishTest {
protected:
    void SetUp() override { OpenDeck(3); }

    void Run(std::vector<forms::ScriptStep> steps)
    {
        forms::ScriptedDriver driver(std::move(steps));
        RunWith(driver);
    }

    void RunWith(forms::FormDriver& driver) { publish::ExportPic_main(*application_, Services(), driver); }

    // The buttons selected when the dialog shows; the dialog is then cancelled.
    Buttons SelectedOnShow()
    {
        Buttons selected;
        InspectingDriver driver(
            [&](forms::UserForm& form) {
                for (int number = 1; number <= 15; ++number) {
                    if (form.Controls<forms::OptionButton>("OptionButton" + std::to_string(number)).Value()) {
                        selected.push_back(number);
                    }
                }
            },
            {Click("Cmd_Cancel")});
        RunWith(driver);
        return selected;
    }

    std::filesystem::path folder() const { return deck("deck-导出图片"); }
};

TEST_F(ExportPicture, WithoutASelectionNothingIsWrittenOrShownButTheChoicesAreKept)
{
    Run({Click("OptionButton2"), Click("OptionButton12"), Click("OptionButton6"), Click("Cmd_OK")});
    EXPECT_EQ(Messages(), (MessageList{{host::kNoSelectionMessage, host::MsgStyle::Critical}}));
    EXPECT_FALSE(std::filesystem::exists(folder()));
    EXPECT_TRUE(written_->All().empty());
    EXPECT_TRUE(opener_.Shown().empty());
    // The choices were saved before the export looked at the selection,
    // and they come back next time.
    EXPECT_EQ(Setting("ExportPicOpt1"), "OptionButton2");
    EXPECT_EQ(Setting("ExportPicOpt2"), "OptionButton12");
    EXPECT_EQ(Setting("ExportPicOpt3"), "OptionButton6");
    EXPECT_EQ(SelectedOnShow(), (Buttons{2, 6, 12}));
}

TEST_F(ExportPicture, TheDefaultsAreAllSlidesAt960AsJpg)
{
    EXPECT_EQ(SelectedOnShow(), (Buttons{1, 3, 8}));
}

TEST_F(ExportPicture, CancelKeepsTheOldChoicesAndExportsNothing)
{
    Run({Click("OptionButton2"), Click("OptionButton7"), Click("Cmd_Cancel")});
    EXPECT_FALSE(std::filesystem::exists(folder()));
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Setting("ExportPicOpt1"), "(none)");
}

TEST_F(ExportPicture, AStoredNameThatIsNoButtonLeavesItsGroupEmpty)
{
    settings_->SaveSetting(host::kAppName, "Settings", "ExportPicOpt2", "OptionButton16");
    EXPECT_EQ(SelectedOnShow(), (Buttons{1, 3}));

    // Confirmed so, the export has no size to work with and writes nothing.
    InspectingDriver confirmed([](forms::UserForm&) {}, {Click("Cmd_OK")});
    EXPECT_THROW(RunWith(confirmed), std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(folder()));
    EXPECT_TRUE(written_->All().empty());
    EXPECT_EQ(Setting("ExportPicOpt2"), "OptionButton16");
}

// PATH without LibreOffice for as long as the object lives.
class NoLibreOffice {
public:
    explicit NoLibreOffice(const std::filesystem::path& empty) : saved_(std::getenv("PATH"))
    {
        setenv("PATH", empty.c_str(), 1);
    }
    ~NoLibreOffice() { setenv("PATH", saved_.c_str(), 1); }
    NoLibreOffice(const NoLibreOffice&) = delete;
    NoLibreOffice& operator=(const NoLibreOffice&) = delete;

private:
    std::string saved_;
};

TEST_F(ExportPicture, AFailedExportLeavesNoFolderItMadeAndKeepsOneThatWasThere)
{
    const NoLibreOffice missing(dir_ / "no-programs");
    EXPECT_THROW(Run({Click("Cmd_OK")}), host::HostError);
    EXPECT_FALSE(std::filesystem::exists(folder()));
    EXPECT_TRUE(Messages().empty());

    std::filesystem::create_directory(folder());
    EXPECT_THROW(Run({Click("Cmd_OK")}), host::HostError);
    EXPECT_TRUE(std::filesystem::is_directory(folder()));
}

class ExportRefusal : public ExportPicture {
protected:
    void SetUp() override {}
};

TEST_F(ExportRefusal, ANeverSavedDeckIsRefusedBeforeItsSlidesAreCounted)
{
    OpenUntitled();
    InspectingDriver driver([](forms::UserForm&) {}, {});
    RunWith(driver);
    EXPECT_FALSE(driver.shown);
    EXPECT_EQ(Messages(), (MessageList{{host::kNotSavedMessage, host::MsgStyle::Exclamation}}));
}

TEST_F(ExportRefusal, ADeckWithoutSlidesIsRefused)
{
    OpenDeck(0);
    InspectingDriver driver([](forms::UserForm&) {}, {});
    RunWith(driver);
    EXPECT_FALSE(driver.shown);
    EXPECT_EQ(Messages(), (MessageList{{host::kNoSlidesMessage, host::MsgStyle::Critical}}));
}

}  // namespace
}  // namespace velmora::testing
