#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "forms/ScriptedDriver.hpp"
#include "host/Host.hpp"
#include "host/Services.hpp"
#include "platform/FileSettingsStore.hpp"
#include "platform/ScriptedPrompts.hpp"
#include "platform/XdgShell.hpp"
#include "tests/publish/PublishSupport.hpp"
#include "tests/support/Decks.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {

// A message box the tool showed: its text and style.
struct Message {
    std::string text;
    int style = 0;

    bool operator==(const Message&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Message& message);

// Runs a script on the dialog, after letting the test look at it as shown.
class InspectingDriver : public forms::FormDriver {
public:
    InspectingDriver(std::function<void(forms::UserForm&)> inspect, std::vector<forms::ScriptStep> steps);
    void Run(forms::UserForm& form, bool modal) override;

    bool shown = false;

private:
    std::function<void(forms::UserForm&)> inspect_;
    forms::ScriptedDriver script_;
};

forms::ScriptStep Click(const std::string& control);

// A folder, a settings file, scripted prompts and a desktop shell whose
// opener only logs, all of the test's own, and the document host with a
// deck from that folder as the user's active presentation.
class PublishTest : public ::testing::Test {
protected:
    std::filesystem::path deck(const std::string& name = "deck.pptx") const { return dir_ / name; }

    // A deck of `count` numbered slides saved as `name` and opened in a
    // window of a host of `version`.
    host::Presentation& OpenDeck(int count, const std::string& version = "14.0",
                                 const std::string& name = "deck.pptx");
    // The host with an untitled, never saved presentation in front.
    host::Presentation& OpenUntitled();

    host::Services Services();
    std::vector<Message> Messages() const;
    std::string Setting(const std::string& key) const;

    TempDir dir_;
    DeckHost decks_;
    std::shared_ptr<host::Application> application_;
    std::ostringstream out_;
    FolderOpener opener_{dir_.path(), "show-folder"};
    std::shared_ptr<platform::FileSettingsStore> settings_ =
        std::make_shared<platform::FileSettingsStore>(dir_ / "settings.ini");
    std::shared_ptr<platform::ScriptedPrompts> prompts_ = std::make_shared<platform::ScriptedPrompts>(out_);
    std::shared_ptr<host::Shell> shell_ = std::make_shared<platform::XdgShell>(opener_.program().string());
    std::shared_ptr<host::WrittenFiles> written_ = std::make_shared<host::WrittenFiles>();
};

}  // namespace velmora::testing
