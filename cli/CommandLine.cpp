#include "cli/CommandLine.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <sstream>

#include "platform/AsciiCase.hpp"
#include "platform/VirtualKeys.hpp"

namespace velmora::cli {

namespace {

int ParseInt(const std::string& text, const std::string& what)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) {
        throw UsageError(what + ": \"" + text + "\" is not a whole number");
    }
    return value;
}

int ParseSlideNumber(const std::string& text, const std::string& option)
{
    const int slide = ParseInt(text, option);
    if (slide < 1) {
        throw UsageError(option + ": slide numbers start at 1");
    }
    return slide;
}

std::vector<std::string> SplitCommas(const std::string& text)
{
    std::vector<std::string> parts;
    std::istringstream stream(text);
    std::string part;
    while (std::getline(stream, part, ',')) {
        parts.push_back(part);
    }
    if (!text.empty() && text.back() == ',') {
        parts.emplace_back();
    }
    return parts;
}

std::vector<int> ParseSlideList(const std::string& text)
{
    std::vector<int> slides;
    for (const std::string& part : SplitCommas(text)) {
        slides.push_back(ParseSlideNumber(part, "--select"));
    }
    if (slides.empty()) {
        throw UsageError("--select needs at least one slide number");
    }
    return slides;
}

ShapeSelection ParseShapes(const std::string& text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) {
        throw UsageError("--shapes wants S:NAME[,NAME...]");
    }
    ShapeSelection selection{ParseSlideNumber(text.substr(0, colon), "--shapes"), SplitCommas(text.substr(colon + 1))};
    for (const std::string& name : selection.names) {
        if (name.empty()) {
            throw UsageError("--shapes: empty shape name in \"" + text + "\"");
        }
    }
    if (selection.names.empty()) {
        throw UsageError("--shapes names no shape");
    }
    return selection;
}

bool ParseAnswer(const std::string& text, const std::string& option)
{
    if (text == "yes") {
        return true;
    }
    if (text == "no") {
        return false;
    }
    throw UsageError(option + " wants yes or no, not \"" + text + "\"");
}

int ParseChannel(const std::string& text, const std::string& color)
{
    const int value = ParseInt(text, "--color " + color);
    if (value < 0 || value > 255) {
        throw UsageError("--color " + color + ": channels run from 0 to 255");
    }
    return value;
}

// "X,Y" of --pointer.
void ParsePointer(const std::string& point, int& x, int& y)
{
    const std::size_t comma = point.find(',');
    x = ParseInt(point.substr(0, comma), "--pointer");
    y = ParseInt(comma == std::string::npos ? "" : point.substr(comma + 1), "--pointer");
}

// A text given by the user, fit to stand in a one-line message: control
// characters shown as "?", a long text cut short.
std::string Shown(const std::string& text)
{
    constexpr std::size_t kShownLength = 40;
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        // Cut between characters, never inside one.
        if (shown.size() >= kShownLength && (byte & 0xC0) != 0x80) {
            return "\"" + shown + "...\"";
        }
        shown += byte < 0x20 || byte == 0x7F ? '?' : text[i];
    }
    return "\"" + shown + "\"";
}

// A host reports its version as numbers and dots ("14.0", "12"); the tools
// read its leading number.
std::string ParseHostVersion(const std::string& text)
{
    constexpr std::size_t kMaxParts = 4;
    constexpr std::size_t kMaxDigits = 6;
    std::size_t parts = 0;
    std::size_t digits = 0;
    for (const char c : text + '.') {
        if (c >= '0' && c <= '9' && digits < kMaxDigits) {
            ++digits;
        } else if (c == '.' && digits > 0 && parts < kMaxParts) {
            ++parts;
            digits = 0;
        } else {
            throw UsageError("--host-version wants a version number such as 14.0, not " + Shown(text));
        }
    }
    return text;
}

// The keys a scripted screen knows: the picker's hot keys by their X names,
// the modifier keys, and combinations such as "shift+a" (never a hot key).
bool IsKeyName(std::string_view name)
{
    constexpr std::array<std::string_view, 12> kModifierKeys{"Shift_L", "Shift_R", "Control_L", "Control_R",
                                                              "Alt_L",   "Alt_R",   "Meta_L",    "Meta_R",
                                                              "Super_L", "Super_R", "ISO_Level3_Shift", "Mode_switch"};
    constexpr std::array<std::string_view, 6> kModifiers{"shift", "ctrl", "control", "alt", "super", "meta"};
    if (platform::VirtualKeyOfKeysym(name) || std::ranges::find(kModifierKeys, name) != kModifierKeys.end()) {
        return true;
    }
    const std::size_t plus = name.find('+');
    return plus != std::string_view::npos &&
           std::ranges::find(kModifiers, platform::AsciiLower(name.substr(0, plus))) != kModifiers.end() &&
           IsKeyName(name.substr(plus + 1));
}

std::string ParseKey(const std::string& text)
{
    if (!IsKeyName(text)) {
        throw UsageError("--key: unknown key " + Shown(text) +
                         " (X key names such as a, 7, F5, space, comma, Escape, KP_1, or shift+a)");
    }
    return text;
}

// An empty name would be found only at the save, after the command ran.
std::filesystem::path ParseOutput(const std::string& text)
{
    if (text.empty()) {
        throw UsageError("-o needs a file name");
    }
    return text;
}

using Run = RunOptions;
using Text = const std::string&;

// One line per option, so that a new one is one more line.
constexpr Option<RunOptions> kRunOptions[] = {
    {{"--slide", "", "N", "slide shown in the window (default 1)"}, [](Run& o, Text v) { o.slide = ParseSlideNumber(v, "--slide"); }},
    {{"--select", "", "N[,N...]", "selected slides, in selection order"}, [](Run& o, Text v) { o.selectedSlides = ParseSlideList(v); }},
    {{"--shapes", "", "S:NAME[,NAME...]", "shapes selected on slide S, by name"}, [](Run& o, Text v) { o.selectedShapes = ParseShapes(v); }},
    {{"--answer", "", "yes|no", "answer to the next question (none left: the default, Yes)"}, [](Run& o, Text v) { o.answers.push_back(ParseAnswer(v, "--answer")); }},
    {{"--startup", "", "", "run the add-in's start-up routine first"}, [](Run& o, Text) { o.startup = true; }},
    {{"--startup-answer", "", "yes|no", "answer to the start-up routine's next question"}, [](Run& o, Text v) { o.startupAnswers.push_back(ParseAnswer(v, "--startup-answer")); }},
    {{"--input", "", "TEXT", "answer to the next input box (none left: Cancel)"}, [](Run& o, Text v) { o.inputs.push_back(v); }},
    {{"--file", "", "PATH", "answer to the next file picker (none left: Cancel)"}, [](Run& o, Text v) { o.pickedFiles.push_back(v); }},
    {{"--color", "", "R,G,B|#RRGGBB", "answer to the next colour chooser (none left: Cancel)"}, [](Run& o, Text v) { o.colors.push_back(ParseColor(v)); }},
    {{"--set", "", "CTRL=VALUE", "dialog script: set a control's value"}, [](Run& o, Text v) { o.dialogSteps.push_back({"--set", v}); }},
    {{"--click", "", "CTRL", "dialog script: click a control"}, [](Run& o, Text v) { o.dialogSteps.push_back({"--click", v}); }},
    {{"--type", "", "CTRL=TEXT", "dialog script: type into a box, key by key"}, [](Run& o, Text v) { o.dialogSteps.push_back({"--type", v}); }},
    {{"--drag", "", "CTRL=DX,DY", "dialog script: drag over a control"}, [](Run& o, Text v) { o.dialogSteps.push_back({"--drag", v}); }},
    {{"--screen", "", "IMAGE", "picture standing for the screen of the colour picker"}, [](Run& o, Text v) { o.screen = v; }},
    {{"--pointer", "", "X,Y", "where the pointer rests on that screen"}, [](Run& o, Text v) { ParsePointer(v, o.pointerX, o.pointerY); }},
    {{"--key", "", "NAME", "dialog script: press a key (X key name) on that screen"}, [](Run& o, Text v) { o.dialogSteps.push_back({"--key", ParseKey(v)}); }},
    {{"--host-version", "", "V", "host version the tools see (default 14.0)"}, [](Run& o, Text v) { o.hostVersion = ParseHostVersion(v); }},
    {{"--unsaved", "", "", "open FILE as a presentation never saved"}, [](Run& o, Text) { o.unsaved = true; }},
    {{"--output", "-o", "OUT", "write the presentation to OUT instead of FILE"}, [](Run& o, Text v) { o.output = ParseOutput(v); }},
    {{"--no-save", "", "", "do not save a changed presentation"}, [](Run& o, Text) { o.noSave = true; }},
    {{"--no-open", "", "", "open no folder, picture or web page (also VELMORA_NO_OPEN=1)"}, [](Run& o, Text) { o.noOpen = true; }},
    {{"--dry-run", "", "", "run the command, report what would be written, write nothing"}, [](Run& o, Text) { o.dryRun = true; }},
    {{"--quiet", "-q", "", "no messages on stdout"}, [](Run& o, Text) { o.verbosity = Verbosity::Quiet; }},
    {{"--verbose", "-v", "", "the host's steps on stderr"}, [](Run& o, Text) { o.verbosity = Verbosity::Verbose; }},
    {{"--json", "", "", "a JSON transcript per FILE on stdout"}, [](Run& o, Text) { o.json = true; }},
};

constexpr Option<RunOptions> kStartupOptions[] = {
    {{"--startup-answer", "", "yes|no", "answer to the routine's next question (none left: keep the setting)"}, [](Run& o, Text v) { o.startupAnswers.push_back(ParseAnswer(v, "--startup-answer")); }},
    {{"--json", "", "", "a JSON transcript on stdout"}, [](Run& o, Text) { o.json = true; }},
};

constexpr Option<ListOptions> kListOptions[] = {
    {{"--json", "", "", "one JSON document on stdout"}, [](ListOptions& o, Text) { o.json = true; }},
};

bool IsHelp(std::string_view argument)
{
    return argument == "-h" || argument == "--help";
}

// The option an argument names: "--name", "--name=value", "-x" or "-xvalue".
template <typename Settings>
const Option<Settings>* Lookup(std::span<const Option<Settings>> table, const std::string& argument,
                               std::optional<std::string>& attached)
{
    const bool isLong = argument.starts_with("--");
    const std::size_t equals = isLong ? argument.find('=') : std::string::npos;
    const std::string name = isLong ? argument.substr(0, equals) : argument.substr(0, 2);
    const auto found = std::ranges::find_if(table, [&](const Option<Settings>& option) {
        return isLong ? option.spec.name == name : option.spec.alias == name;
    });
    if (found == table.end()) {
        throw UsageError("unknown option " + name);
    }
    if (isLong && equals != std::string::npos) {
        attached = argument.substr(equals + 1);
    } else if (!isLong && argument.size() > 2) {
        attached = argument.substr(2);
    }
    if (attached && found->spec.value.empty()) {
        throw UsageError(name + " takes no value");
    }
    return &*found;
}

}  // namespace

std::span<const Option<RunOptions>> RunOptionTable()
{
    return kRunOptions;
}

std::span<const Option<ListOptions>> ListOptionTable()
{
    return kListOptions;
}

std::span<const Option<RunOptions>> StartupOptionTable()
{
    return kStartupOptions;
}

template <typename Settings>
ParsedArguments ParseOptions(std::span<const Option<Settings>> table, const std::vector<std::string>& arguments,
                             Settings& settings)
{
    ParsedArguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
            parsed.arguments.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (IsHelp(argument)) {
            parsed.help = true;
            return parsed;
        } else {
            std::optional<std::string> value;
            const Option<Settings>* option = Lookup(table, argument, value);
            if (!value && !option->spec.value.empty()) {
                if (i + 1 >= arguments.size()) {
                    throw UsageError(std::string(option->spec.name) + " needs a value");
                }
                value = arguments[++i];
            }
            option->apply(settings, value.value_or(""));
        }
    }
    return parsed;
}

template ParsedArguments ParseOptions(std::span<const Option<RunOptions>>, const std::vector<std::string>&,
                                      RunOptions&);
template ParsedArguments ParseOptions(std::span<const Option<ListOptions>>, const std::vector<std::string>&,
                                      ListOptions&);

host::Color ParseColor(const std::string& text)
{
    if (!text.empty() && text.front() == '#') {
        unsigned value = 0;
        const char* end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data() + 1, end, value, 16);
        if (text.size() != 7 || error != std::errc() || stop != end) {
            throw UsageError("--color \"" + text + "\" is not #RRGGBB");
        }
        const auto red = static_cast<host::Color>(value >> 16 & 0xFF);
        const auto green = static_cast<host::Color>(value >> 8 & 0xFF);
        const auto blue = static_cast<host::Color>(value & 0xFF);
        return red + 256 * green + 65536 * blue;
    }
    const std::vector<std::string> channels = SplitCommas(text);
    if (channels.size() != 3) {
        throw UsageError("--color \"" + text + "\" is not R,G,B or #RRGGBB");
    }
    return ParseChannel(channels[0], text) + 256 * ParseChannel(channels[1], text) +
           65536 * ParseChannel(channels[2], text);
}

RunOptions ParseRunOptions(const std::vector<std::string>& arguments)
{
    RunOptions options;
    const ParsedArguments parsed = ParseOptions(RunOptionTable(), arguments, options);
    if (parsed.help) {
        RunOptions help;
        help.help = true;
        return help;
    }
    if (parsed.arguments.size() < 2) {
        throw UsageError("run wants a COMMAND and at least one FILE");
    }
    if (options.output && options.noSave) {
        throw UsageError("-o and --no-save exclude each other");
    }
    if (options.output && parsed.arguments.size() > 2) {
        throw UsageError("-o names one output: give one FILE with it");
    }
    options.command = parsed.arguments.front();
    options.files.assign(parsed.arguments.begin() + 1, parsed.arguments.end());
    return options;
}

}  // namespace velmora::cli
