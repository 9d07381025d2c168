#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/Decks.hpp"
#include "tests/support/Process.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
std::vector<std::string> Lines(const std::string& text);
bool Contains(const std::string& text, const std::string& part);

// Runs the built `velmora` with its settings in the test's folder.
class VelmoraTest : public ::testing::Test {
protected:
    ProcessResult Velmora(std::vector<std::string> arguments, std::map<std::string, std::string> environment = {});
    // The same, started in `folder`.
    ProcessResult VelmoraIn(const std::filesystem::path& folder, const std::vector<std::string>& arguments);

    // A two-slide deck written by the host.
    std::filesystem::path MakeDeck(const std::string& name);
    // Slides with notes, through the test deck builder.
    std::filesystem::path MakeDeckWithNotes(const std::string& name, const std::vector<std::string>& notes);

    // A stub `xdg-open` on PATH that appends each argument to opened.txt.
    std::map<std::string, std::string> StubOpener();
    std::string Opened() const { return ReadBytes(dir_ / "opened.txt"); }

    // Every file under the test's folder with its bytes.
    std::map<std::filesystem::path, std::string> Snapshot() const;

    TempDir dir_;
    DeckHost decks_;
};

}  // namespace velmora::testing
