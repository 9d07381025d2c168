#include "cli/BashCompletion.hpp"

#include "addin/RibbonDefinition.hpp"
#include "cli/DialogCatalog.hpp"
#include "cli/Verbs.hpp"
#include "platform/AsciiCase.hpp"

namespace velmora::cli {

namespace {

std::string Words(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

std::vector<std::string> OptionNames(const Verb& verb)
{
    std::vector<std::string> names;
    for (const OptionSpec& option : verb.options()) {
        names.emplace_back(option.name);
        if (!option.alias.empty()) {
            names.emplace_back(option.alias);
        }
    }
    names.emplace_back("--help");
    return names;
}

// What follows an option that takes a value, by the value's name.
std::string ValueCompletion(const OptionSpec& option)
{
    const std::string_view value = option.value;
    if (value.starts_with("CTRL=")) {
        return "_velmora_controls \"$command\" =";
    }
    if (value == "CTRL") {
        return "_velmora_controls \"$command\"";
    }
    if (value == "yes|no") {
        return "COMPREPLY=($(compgen -W 'yes no' -- \"$cur\"))";
    }
    if (value == "PATH" || value == "OUT") {
        return "COMPREPLY=($(compgen -f -- \"$cur\"))";
    }
    return "COMPREPLY=()";
}

std::string OptionValueCases(const Verb& verb)
{
    std::string text;
    for (const OptionSpec& option : verb.options()) {
        if (option.value.empty()) {
            continue;
        }
        std::string names(option.name);
        if (!option.alias.empty()) {
            names += "|" + std::string(option.alias);
        }
        text += "        " + names + ") " + ValueCompletion(option) + "; return ;;\n";
    }
    return text;
}

// One case a ribbon command that shows a dialog: the dialog's controls.
std::string ControlCases()
{
    std::string text;
    std::vector<std::string> all;
    for (const DialogEntry& dialog : Dialogs()) {
        const std::vector<std::string> names = ControlNames(dialog);
        all.insert(all.end(), names.begin(), names.end());
        text += "        " + platform::AsciiLower(dialog.command) + ") names='" + Words(names) + "' ;;\n";
    }
    return text + "        *) names='" + Words(all) + "' ;;\n";
}

std::vector<std::string> RibbonCommandNames()
{
    std::vector<std::string> names;
    for (const addin::RibbonCommand& command : addin::RibbonCommands()) {
        names.push_back(command.onAction);
    }
    return names;
}

std::vector<std::string> VerbNames()
{
    std::vector<std::string> names;
    for (const Verb& verb : Verbs()) {
        names.emplace_back(verb.name);
    }
    return names;
}

std::vector<std::string> DialogNamesList()
{
    std::vector<std::string> names;
    for (const DialogEntry& dialog : Dialogs()) {
        names.emplace_back(dialog.form);
    }
    return names;
}

}  // namespace

std::string BashCompletion()
{
    const Verb& run = *FindVerb("run");
    std::string text = "# bash completion for velmora, made from its --help tables\n\n";
    text += "# The controls of the dialog ribbon command $1 shows, each followed by $2.\n";
    text += "_velmora_controls()\n{\n    local names\n    case \"${1,,}\" in\n" + ControlCases() + "    esac\n";
    text += "    COMPREPLY=($(compgen -S \"$2\" -W \"$names\" -- \"$cur\"))\n";
    text += "    [[ -n $2 ]] && compopt -o nospace\n}\n\n";
    text += "_velmora()\n{\n";
    text += "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} verb=${COMP_WORDS[1]}\n";
    text += "    if ((COMP_CWORD == 1)); then\n";
    text += "        COMPREPLY=($(compgen -W '" + Words(VerbNames()) + " --help --version' -- \"$cur\"))\n";
    text += "        return\n    fi\n";
    text += "    case $verb in\n    run)\n";
    text += "        local command=${COMP_WORDS[2]}\n";
    text += "        case $prev in\n" + OptionValueCases(run) + "        esac\n";
    text += "        if [[ $cur == -* ]]; then\n";
    text += "            COMPREPLY=($(compgen -W '" + Words(OptionNames(run)) + "' -- \"$cur\"))\n";
    text += "        elif ((COMP_CWORD == 2)); then\n";
    text += "            COMPREPLY=($(compgen -W '" + Words(RibbonCommandNames()) + "' -- \"$cur\"))\n";
    text += "        else\n            COMPREPLY=($(compgen -f -- \"$cur\"))\n        fi ;;\n";
    text += "    dialog)\n        COMPREPLY=($(compgen -W '" + Words(DialogNamesList()) + " " +
            Words(OptionNames(*FindVerb("dialog"))) + "' -- \"$cur\")) ;;\n";
    text += "    commands)\n        COMPREPLY=($(compgen -W '" + Words(OptionNames(*FindVerb("commands"))) +
            "' -- \"$cur\")) ;;\n";
    text += "    help)\n        COMPREPLY=($(compgen -W '" + Words(VerbNames()) + "' -- \"$cur\")) ;;\n";
    text += "    demo-deck)\n        COMPREPLY=($(compgen -f -- \"$cur\")) ;;\n";
    text += "    esac\n}\n\ncomplete -F _velmora velmora\n";
    return text;
}

}  // namespace velmora::cli
