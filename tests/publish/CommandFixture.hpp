#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/FileSettingsStore.hpp"
#include "tests/publish/PublishSupport.hpp"
#include "tests/support/Decks.hpp"
#include "tests/support/Process.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {

// The velmora command run on decks of a folder of the test's own, with a
// settings file of its own and a desktop opener that only logs what it is
// asked to show.
class CommandTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path deck(const std::string& name = "deck.pptx") const { return dir_ / name; }
    ProcessResult Velmora(const std::vector<std::string>& args) const;

    TempDir dir_;
    DeckHost decks_;
    FolderOpener opener_{dir_.path(), "xdg-open"};
    platform::FileSettingsStore settings_{dir_ / "settings.ini"};

private:
    std::string path_;
};

inline constexpr const char* kTitle = "[VelmoraV2.0 by Orvaldi] ";

}  // namespace velmora::testing
