#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <QWidget>
#include <gtest/gtest.h>

#include "platform/ScriptedPrompts.hpp"
#include "studio/StudioWindow.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::studio {

// The addresses the tools asked the desktop to open.
class RecordingShell : public host::Shell {
public:
    void OpenAddress(const std::string& address) override { opened.push_back(address); }
    void ShowFolder(const std::filesystem::path& folder) override { opened.push_back(folder.string()); }
    std::vector<std::string> opened;
};

// A studio window on its own settings file, with scripted prompts and no
// slide pictures, opened on a deck of `slides` numbered slides with a
// rectangle "Rect" and an ellipse "Oval" on slide 1.
class StudioFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path Deck() const { return dir_ / "deck.pptx"; }
    const std::vector<platform::PromptRecord>& Prompts() const { return prompts_->Transcript(); }
    // The widget of a control of the open dialog FORM; fails the test when missing.
    QWidget* Control(const char* form, const char* control) const;
    // Runs `work` once the next modal dialog has started.
    static void WhenModal(std::function<void()> work);
    // The slide picture's outline of a shape on the slide shown.
    QPoint ShapeCentre(const std::string& name) const;

    testing::TempDir dir_;
    std::ostringstream out_;
    std::shared_ptr<platform::ScriptedPrompts> prompts_;
    std::shared_ptr<RecordingShell> shell_;
    std::unique_ptr<StudioWindow> window_;
    int slides_ = 3;
    // No slide pictures, no X11 screen, no start-up routine unless a test asks.
    StudioOptions options_{false, false, false};
};

}  // namespace velmora::studio
