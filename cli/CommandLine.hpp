#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/MsoConstants.hpp"

namespace velmora::cli {

// Bad usage of the command line; the message says what is wrong.
class UsageError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

struct ShapeSelection {
    int slide = 0;
    std::vector<std::string> names;
};

// A dialog step as given: --set, --click, --type or --drag and its argument.
struct DialogStep {
    std::string option;
    std::string argument;
};

struct RunOptions {
    std::string command;
    std::filesystem::path file;
    std::optional<int> slide;  // the host shows slide 1 unless told otherwise
    std::vector<int> selectedSlides;
    std::optional<ShapeSelection> selectedShapes;
    std::vector<bool> answers;  // true for yes
    bool startup = false;       // run the add-in's start-up routine first
    std::vector<bool> startupAnswers;
    std::vector<std::string> inputs;
    std::vector<std::string> files;
    std::vector<host::Color> colors;
    std::vector<DialogStep> dialogSteps;
    // The scripted screen: the picture it samples and where the pointer rests.
    std::optional<std::filesystem::path> screen;
    int pointerX = 0;
    int pointerY = 0;
    std::string hostVersion = "14.0";
    bool unsaved = false;
    std::optional<std::filesystem::path> output;
    bool noSave = false;
    bool json = false;
};

// The arguments after "run"; raises UsageError.
RunOptions ParseRunOptions(const std::vector<std::string>& arguments);

// The arguments after "startup" (--startup-answer, --json); raises UsageError.
RunOptions ParseStartupOptions(const std::vector<std::string>& arguments);

// "R,G,B" or "#RRGGBB" as R + 256 G + 65536 B; raises UsageError.
host::Color ParseColor(const std::string& text);

extern const char* const kUsage;

}  // namespace velmora::cli
