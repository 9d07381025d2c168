#include "cli/CommandLine.hpp"

#include <charconv>
#include <sstream>

namespace velmora::cli {

const char* const kUsage =
    "usage: velmora ribbon\n"
    "       velmora commands\n"
    "       velmora run COMMAND FILE [options]\n"
    "       velmora startup [--startup-answer yes|no]... [--json]\n"
    "       velmora demo-deck FILE\n"
    "run options:\n"
    "  --slide N                  slide shown in the window (default 1)\n"
    "  --select N[,N...]          selected slides, in selection order\n"
    "  --shapes S:NAME[,NAME...]  shapes selected on slide S\n"
    "  --answer yes|no            answer to the next question\n"
    "  --input TEXT               answer to the next input box\n"
    "  --file PATH                answer to the next file picker\n"
    "  --color R,G,B | '#RRGGBB'  answer to the next colour chooser\n"
    "  --startup                  run the add-in's start-up routine first\n"
    "  --startup-answer yes|no    answer to its next question\n"
    "  --set CTRL=VALUE, --click CTRL, --type CTRL=TEXT, --drag CTRL=DX,DY\n"
    "                             dialog script, run in order\n"
    "  --screen IMAGE, --pointer X,Y, --key NAME\n"
    "                             scripted screen of the colour picker; keys run in order\n"
    "  --host-version V           host version the tools see (default 14.0)\n"
    "  --unsaved                  open FILE as never saved\n"
    "  -o OUT                     save a changed presentation to OUT\n"
    "  --no-save                  do not save a changed presentation\n"
    "  --json                     JSON transcript on stdout\n";

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

}  // namespace

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
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size()) {
                throw UsageError(option + " needs a value");
            }
            return arguments[++i];
        };
        if (option == "--slide") {
            options.slide = ParseSlideNumber(value(), option);
        } else if (option == "--select") {
            options.selectedSlides = ParseSlideList(value());
        } else if (option == "--shapes") {
            options.selectedShapes = ParseShapes(value());
        } else if (option == "--answer") {
            options.answers.push_back(ParseAnswer(value(), option));
        } else if (option == "--startup") {
            options.startup = true;
        } else if (option == "--startup-answer") {
            options.startupAnswers.push_back(ParseAnswer(value(), option));
        } else if (option == "--input") {
            options.inputs.push_back(value());
        } else if (option == "--file") {
            options.files.push_back(value());
        } else if (option == "--color") {
            options.colors.push_back(ParseColor(value()));
        } else if (option == "--screen") {
            options.screen = value();
        } else if (option == "--pointer") {
            const std::string& point = value();
            const std::size_t comma = point.find(',');
            options.pointerX = ParseInt(point.substr(0, comma), option);
            options.pointerY = ParseInt(comma == std::string::npos ? "" : point.substr(comma + 1), option);
        } else if (option == "--set" || option == "--click" || option == "--type" || option == "--drag" ||
                   option == "--key") {
            options.dialogSteps.push_back({option, value()});
        } else if (option == "--host-version") {
            options.hostVersion = value();
        } else if (option == "--unsaved") {
            options.unsaved = true;
        } else if (option == "-o") {
            options.output = value();
        } else if (option == "--no-save") {
            options.noSave = true;
        } else if (option == "--json") {
            options.json = true;
        } else if (option.size() > 1 && option.front() == '-') {
            throw UsageError("unknown option " + option);
        } else {
            positional.push_back(option);
        }
    }
    if (positional.size() != 2) {
        throw UsageError("run wants a COMMAND and a FILE");
    }
    if (options.output && options.noSave) {
        throw UsageError("-o and --no-save exclude each other");
    }
    options.command = positional[0];
    options.file = positional[1];
    return options;
}

RunOptions ParseStartupOptions(const std::vector<std::string>& arguments)
{
    RunOptions options;
    options.command = "startup";
    options.startup = true;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--startup-answer") {
            if (i + 1 >= arguments.size()) {
                throw UsageError(option + " needs a value");
            }
            options.startupAnswers.push_back(ParseAnswer(arguments[++i], option));
        } else if (option == "--json") {
            options.json = true;
        } else {
            throw UsageError("startup does not take " + option);
        }
    }
    return options;
}

}  // namespace velmora::cli
