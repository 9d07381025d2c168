#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "tests/font/FontFixture.hpp"
#include "tests/support/Process.hpp"

namespace velmora::testing {

// Decks built through the host as the font tests build them, saved, and then
// changed by the velmora command in a process of its own; the settings file
// is the fixture's. What the command did is read back from the saved XML.
class ToolCommandTest : public FontTest {
protected:
    using Names = std::vector<std::string>;

    ToolCommandTest();

    std::filesystem::path deck() const { return dir_ / "deck.pptx"; }
    // Saves the deck built so far as deck() and closes it.
    void SaveDeck();
    // velmora run COMMAND FILE OPTIONS...
    ProcessResult Run(const std::string& command, const std::vector<std::string>& options) const;
    ProcessResult Run(const std::string& command, const std::filesystem::path& file,
                      const std::vector<std::string>& options) const;

    // The slide part of a saved deck, parsed.
    const pugi::xml_document& SavedSlide(int slide) { return SavedSlide(deck(), slide); }
    const pugi::xml_document& SavedSlide(const std::filesystem::path& file, int slide);
    // The element of the shape named `name` in the slide last read.
    pugi::xml_node ShapeNode(const std::string& name) const;
    // Names of the shapes and frames (not groups) of a saved slide, in
    // document order, that hold text runs whose properties all pass
    // `runTest`, an XPath predicate on a:rPr such as "@sz='3300'".
    Names ShapesWhoseRuns(int slide, const std::string& runTest) { return ShapesWhoseRuns(deck(), slide, runTest); }
    Names ShapesWhoseRuns(const std::filesystem::path& file, int slide, const std::string& runTest);

    pugi::xml_document slide_;
};

}  // namespace velmora::testing
