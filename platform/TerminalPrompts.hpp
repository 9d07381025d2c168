#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "host/Prompts.hpp"

namespace velmora::platform {

// Prompts for interactive use on a terminal. Messages print as
// "[TITLE] TEXT"; questions read y/n (Enter or end of input: Yes); an input
// box shows its default text, which an empty line accepts; end of input
// cancels every other prompt.
class TerminalPrompts : public host::Prompts {
public:
    TerminalPrompts(std::istream& in, std::ostream& out);

    int MsgBox(const std::string& prompt, int style, const std::string& title = host::kTitle) override;
    std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
    std::optional<std::string> PickFile(const std::string& title, const std::vector<host::FileFilter>& filters) override;
    // Reads "R,G,B" or "#RRGGBB"; asks again after anything else; an empty
    // line cancels.
    std::optional<host::Color> ChooseColor(host::Color initial, std::array<host::Color, 16>& customColors) override;

private:
    std::optional<std::string> Ask(const std::string& question);

    std::istream& in_;
    std::ostream& out_;
};

}  // namespace velmora::platform
