#pragma once

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "font/md_SetFont.hpp"
#include "forms/ScriptStep.hpp"
#include "host/Host.hpp"
#include "host/Services.hpp"
#include "platform/ScriptedPrompts.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {

// A settings file and scripted prompts of the test's own, and a presentation
// open in a window of a document host, built shape by shape.
class FontTest : public ::testing::Test {
protected:
    FontTest();

    // A new, unsaved presentation in a window of a host of `version`, one
    // 720 x 540 point slide per layout; placeholders keep their names and
    // get a 12 point text.
    void NewDeck(const std::vector<int>& layouts, const std::string& version = "14.0");
    // Opens a saved deck in a window of a new host of `version`.
    void OpenDeck(const std::filesystem::path& file, const std::string& version = "14.0");
    host::Ref<host::Shapes> ShapesOf(int slide) const;
    host::Ref<host::Shape> Shape(int slide, const std::string& name) const;
    int IndexOf(int slide, const std::string& name) const;
    // Gives a shape its name and a 12 point text.
    static host::Ref<host::Shape> Prepare(host::Ref<host::Shape> shape, const std::string& name);
    host::Ref<host::Shape> AddTextBox(int slide, const std::string& name, float left = 20, float top = 20,
                                      float width = 200, float height = 40);
    host::Ref<host::Shape> AddRectangle(int slide, const std::string& name);
    // Groups the named shapes of the slide under `name`.
    host::Ref<host::Shape> Group(int slide, const std::vector<std::string>& members, const std::string& name);
    // A 2 x 2 table with 12 point text in every cell.
    host::Ref<host::Shape> AddTable(int slide, const std::string& name);

    // The names of the top-level shapes of the slide whose text is all of
    // `points` (a table: every cell).
    std::vector<std::string> ShapesSized(int slide, float points) const;
    static float SizeOf(host::Shape& shape);

    // The ribbon command with a dialog script; the scripted driver confirms
    // with OK what the script leaves open.
    void RunSetFont(std::vector<forms::ScriptStep> steps);
    static forms::ScriptStep Set(const std::string& control, const std::string& value);
    static forms::ScriptStep Click(const std::string& control);

    std::string Stored(const std::string& key) const;
    // A user who never ran the tool: the dialog's first-use state.
    void ForgetSettings() const;
    // Texts of the message boxes shown, in order.
    std::vector<std::string> Messages() const;

    TempDir dir_;
    std::ostringstream shown_;
    std::shared_ptr<platform::ScriptedPrompts> prompts_;
    host::Services services_;
    std::shared_ptr<host::Application> application_;
    host::Ref<host::Presentation> presentation_;
};

}  // namespace velmora::testing
