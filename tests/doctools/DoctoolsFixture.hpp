#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/Decks.hpp"
#include "tests/support/Process.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {

// A folder of its own, a settings file of its own, and the velmora command.
class DoctoolsTest : public ::testing::Test {
protected:
    void SetUp() override;

    std::filesystem::path deck(const std::string& name = "deck.pptx") const { return dir_ / name; }
    ProcessResult Velmora(const std::vector<std::string>& args) const;
    static std::string ReadBytes(const std::filesystem::path& file);
    // Files of the folder whose names start with `prefix`.
    std::vector<std::filesystem::path> FilesStartingWith(const std::string& prefix) const;

    TempDir dir_;
    DeckHost decks_;
};

inline constexpr const char* kTitle = "[VelmoraV2.0 by Orvaldi] ";

}  // namespace velmora::testing
