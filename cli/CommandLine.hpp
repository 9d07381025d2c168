#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
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

// How much goes to the terminal.
enum class Verbosity { Quiet, Normal, Verbose };

struct RunOptions {
    std::string command;
    std::vector<std::filesystem::path> files;
    std::optional<int> slide;  // the host shows slide 1 unless told otherwise
    std::vector<int> selectedSlides;
    std::optional<ShapeSelection> selectedShapes;
    std::vector<bool> answers;  // true for yes
    bool startup = false;       // run the add-in's start-up routine first
    std::vector<bool> startupAnswers;
    std::vector<std::string> inputs;
    std::vector<std::string> pickedFiles;
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
    bool noOpen = false;
    bool dryRun = false;
    Verbosity verbosity = Verbosity::Normal;
    bool json = false;
    bool help = false;  // nothing else is read then
};

// The settings of the listing commands (commands, dialog).
struct ListOptions {
    bool json = false;
};

// How an option is written and explained; the same text makes --help, the
// manual page and the shell completion.
struct OptionSpec {
    std::string_view name;   // "--slide"
    std::string_view alias;  // "-o", or ""
    std::string_view value;  // what follows it ("N"); "" for a switch
    std::string_view help;
};

// An option of a command and what it does to the command's settings.
template <typename Settings>
struct Option {
    OptionSpec spec;
    void (*apply)(Settings& settings, const std::string& value);
};

// The options of `velmora run`, in the order --help lists them.
std::span<const Option<RunOptions>> RunOptionTable();
// The options of `velmora commands` and `velmora dialog`.
std::span<const Option<ListOptions>> ListOptionTable();
// The options of `velmora startup`: its questions' answers and --json.
std::span<const Option<RunOptions>> StartupOptionTable();

// What ParseOptions leaves: the other arguments in order, and whether -h or
// --help stood among the options.
struct ParsedArguments {
    std::vector<std::string> arguments;
    bool help = false;
};

// Reads options of `table` into settings. Instantiated for RunOptions and
// ListOptions. Takes "--opt value", "--opt=value", "-o value" and "-ovalue";
// "--" ends the options, so "-x.pptx" after it is a file; "-" alone is an
// argument. Raises UsageError.
template <typename Settings>
ParsedArguments ParseOptions(std::span<const Option<Settings>> table, const std::vector<std::string>& arguments,
                             Settings& settings);

// The arguments after "run", help aside; raises UsageError.
RunOptions ParseRunOptions(const std::vector<std::string>& arguments);

// "R,G,B" or "#RRGGBB" as R + 256 G + 65536 B; raises UsageError.
host::Color ParseColor(const std::string& text);

}  // namespace velmora::cli
