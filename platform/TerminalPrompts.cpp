#include "platform/TerminalPrompts.hpp"

#include <istream>
#include <ostream>

#include "platform/AsciiCase.hpp"
#include "platform/PromptText.hpp"

namespace velmora::platform {

TerminalPrompts::TerminalPrompts(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

std::optional<std::string> TerminalPrompts::Ask(const std::string& question)
{
    out_ << question << std::flush;
    std::string line;
    if (!std::getline(in_, line)) {
        out_ << '\n';
        return std::nullopt;
    }
    if (line.ends_with('\r')) {
        line.pop_back();
    }
    return line;
}

int TerminalPrompts::MsgBox(const std::string& prompt, int style, const std::string& title)
{
    out_ << MessageLine(title, prompt) << '\n';
    if (!IsQuestion(style)) {
        out_ << std::flush;
        return host::MsgAnswer::Ok;
    }
    const std::string answer = AsciiLower(Ask("(y/n) [y] ").value_or(""));
    const bool no = answer == "n" || answer == "no" || answer == "否";
    return no ? host::MsgAnswer::No : host::MsgAnswer::Yes;
}

std::string TerminalPrompts::InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText)
{
    out_ << MessageLine(title, prompt) << '\n';
    const std::optional<std::string> line = Ask(defaultText.empty() ? "> " : "[" + defaultText + "] > ");
    if (!line) {
        return {};
    }
    return line->empty() ? defaultText : *line;
}

std::optional<std::string> TerminalPrompts::PickFile(const std::string& title,
                                                     const std::vector<host::FileFilter>& filters)
{
    out_ << "[" << title << "] " << DescribeFilters(filters) << '\n';
    std::optional<std::string> path = Ask("file> ");
    if (!path || path->empty()) {
        return std::nullopt;
    }
    return path;
}

std::optional<host::Color> TerminalPrompts::ChooseColor(host::Color initial, std::array<host::Color, 16>&)
{
    while (true) {
        const std::optional<std::string> line = Ask("colour R,G,B or #RRGGBB [" + FormatColor(initial) + "]> ");
        if (!line || line->empty()) {
            return std::nullopt;
        }
        if (const std::optional<host::Color> color = ParseColor(*line)) {
            return color;
        }
        out_ << "not a colour: " << *line << '\n';
    }
}

}  // namespace velmora::platform
