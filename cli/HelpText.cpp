#include "cli/HelpText.hpp"

#include <cctype>

namespace velmora::cli {

namespace {

constexpr Entry kEnvironment[] = {
    {"VELMORA_SETTINGS", "the settings file (default $XDG_CONFIG_HOME/Orvaldi-VelmoraV2.0/settings.ini)"},
    {"VELMORA_CODEPAGE", "the code page of the text files written, such as notes (default GB18030; UTF-8 for Unicode)"},
    {"VELMORA_NO_OPEN", "1: open no folder, picture or web page, as --no-open"},
};

constexpr Entry kExitStatuses[] = {
    {"0", "the command ran to its end"},
    {"1", "the command stopped at a refusal (a message of style 16 or 48)"},
    {"2", "bad usage or an unreadable file; nothing was changed"},
    {"3", "the command failed (reported on stderr); the presentation was not saved"},
    {"130, 143", "interrupted"},
};

constexpr std::size_t kColumn = 30;

std::string Padded(std::string text)
{
    text.insert(0, "  ");
    text += text.size() + 1 < kColumn ? std::string(kColumn - text.size(), ' ') : "\n" + std::string(kColumn, ' ');
    return text;
}

std::string Entries(std::span<const Entry> entries)
{
    std::string text;
    for (const Entry& entry : entries) {
        text += Padded(std::string(entry.name)) + std::string(entry.meaning) + "\n";
    }
    return text;
}

std::string VerbLine(const Verb& verb)
{
    std::string line = "velmora " + std::string(verb.name);
    if (!verb.arguments.empty()) {
        line += " " + std::string(verb.arguments);
    }
    return line;
}

}  // namespace

const std::string_view kDescription = "Velmora's ribbon commands on presentation files (.pptx), from the command line.";

const std::string_view kOptionForms =
    "Options also take the form --opt=value; -- ends the options, so that a FILE may begin with -.";

std::span<const Entry> EnvironmentEntries()
{
    return kEnvironment;
}

std::span<const Entry> ExitStatusEntries()
{
    return kExitStatuses;
}

std::string VersionText()
{
    return "velmora " VELMORA_VERSION;
}

std::string Usage()
{
    std::string text;
    for (const Verb& verb : Verbs()) {
        text += (text.empty() ? "usage: " : "       ") + VerbLine(verb) + "\n";
    }
    return text + "       velmora --help | --version\n";
}

std::string GeneralHelp()
{
    std::string text = "usage: velmora COMMAND [ARGUMENTS] [OPTIONS]\n\n"
                       + std::string(kDescription) + "\n\ncommands:\n";
    for (const Verb& verb : Verbs()) {
        std::string line = std::string(verb.name);
        if (!verb.arguments.empty()) {
            line += " " + std::string(verb.arguments);
        }
        text += Padded(line) + std::string(verb.summary) + "\n";
    }
    text += Padded("--help, -h") + "this help\n";
    text += Padded("--version") + "the name and version\n";
    text += "\n'velmora help COMMAND' shows a command's options.\n\nenvironment:\n" + Entries(kEnvironment);
    return text + "\nexit status:\n" + Entries(kExitStatuses);
}

std::string OptionSynopsis(const OptionSpec& option)
{
    std::string text(option.name);
    if (!option.value.empty()) {
        text += " " + std::string(option.value);
    }
    if (!option.alias.empty()) {
        text += ", " + std::string(option.alias);
        if (!option.value.empty()) {
            text += " " + std::string(option.value);
        }
    }
    return text;
}

std::string VerbHelp(const Verb& verb)
{
    std::string summary(verb.summary);
    summary.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(summary.front())));
    std::string text = "usage: " + VerbLine(verb) + "\n\n" + summary + ".\n";
    if (!verb.details.empty()) {
        text += "\n" + std::string(verb.details) + "\n";
    }
    const auto options = verb.options();
    if (!options.empty()) {
        text += "\noptions:\n";
        for (const OptionSpec& option : options) {
            text += Padded(OptionSynopsis(option)) + std::string(option.help) + "\n";
        }
        text += "\n" + std::string(kOptionForms) + "\n";
    }
    return text;
}

}  // namespace velmora::cli
