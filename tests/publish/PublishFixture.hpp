#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "forms/ScriptedDriver.hpp"
#include "host/Services.hpp"
#include "platform/FileSettingsStore.hpp"
#include "platform/ScriptedPrompts.hpp"
#include "tests/publish/RecordingHost.hpp"
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

// A folder, a settings file, scripted prompts and a recording shell of the
// test's own.
class PublishTest : public ::testing::Test {
protected:
    host::Services Services();
    std::vector<Message> Messages() const;
    std::string Setting(const std::string& key) const;

    TempDir dir_;
    std::ostringstream out_;
    std::shared_ptr<platform::FileSettingsStore> settings_ =
        std::make_shared<platform::FileSettingsStore>(dir_ / "settings.ini");
    std::shared_ptr<platform::ScriptedPrompts> prompts_ = std::make_shared<platform::ScriptedPrompts>(out_);
    std::shared_ptr<RecordingShell> shell_ = std::make_shared<RecordingShell>();
    std::shared_ptr<host::WrittenFiles> written_ = std::make_shared<host::WrittenFiles>();
};

inline const std::string kExportedMessage = "幻灯片已成功导出为图片！\r保存在 [deck-导出图片] 目录中";

}  // namespace velmora::testing
