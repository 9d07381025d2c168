#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora::forms {

// One step of a dialog script, as the command line gives it:
//   --set CTRL=VALUE   --click CTRL   --type CTRL=TEXT   --drag CTRL=DX,DY
// and --key NAME, a key pressed on the desktop (NAME is kept in control).
struct ScriptStep {
    enum class Kind { Set, Click, Type, Drag, Key };

    Kind kind = Kind::Click;
    std::string control;
    std::string text;  // the value of a set, the text of a type
    float dx = 0;
    float dy = 0;
};

// The step kind an option names ("--set" ...), or nullopt for another option.
std::optional<ScriptStep::Kind> ScriptOption(std::string_view option);

// Throws std::invalid_argument for an unknown option or a malformed argument.
ScriptStep ParseScriptStep(std::string_view option, std::string_view argument);

}  // namespace velmora::forms
