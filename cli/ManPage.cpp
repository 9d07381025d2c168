#include "cli/ManPage.hpp"

#include "cli/HelpText.hpp"
#include "cli/Verbs.hpp"

namespace velmora::cli {

namespace {

// Text as roff shows it literally.
std::string Roff(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-') {
            out += "\\-";
        } else {
            out += c;
        }
    }
    if (out.starts_with('.') || out.starts_with('\'')) {
        out.insert(0, "\\&");
    }
    return out;
}

std::string Tagged(std::string_view tag, std::string_view text)
{
    return ".TP\n.B " + Roff(tag) + "\n" + Roff(text) + "\n";
}

std::string VerbLine(const Verb& verb)
{
    return std::string(verb.name) + (verb.arguments.empty() ? "" : " " + std::string(verb.arguments));
}

std::string Commands()
{
    std::string text = ".SH COMMANDS\n";
    for (const Verb& verb : Verbs()) {
        text += Tagged(VerbLine(verb), std::string(verb.summary) + ".");
        if (!verb.details.empty()) {
            text += Roff(verb.details) + "\n";
        }
    }
    return text;
}

std::string Options()
{
    std::string text;
    for (const Verb& verb : Verbs()) {
        const auto options = verb.options();
        if (options.empty()) {
            continue;
        }
        text += ".SS \"Options of " + std::string(verb.name) + "\"\n";
        for (const OptionSpec& option : options) {
            text += Tagged(OptionSynopsis(option), option.help);
        }
    }
    return ".SH OPTIONS\n" + Roff(kOptionForms) + "\n" + text;
}

std::string Section(std::string_view title, std::span<const Entry> entries)
{
    std::string text = ".SH " + std::string(title) + "\n";
    for (const Entry& entry : entries) {
        text += Tagged(entry.name, entry.meaning);
    }
    return text;
}

}  // namespace

std::string ManPage()
{
    std::string text = ".TH VELMORA 1 \"\" \"" + Roff(VersionText()) + "\" \"User Commands\"\n";
    text += ".SH NAME\nvelmora \\- Velmora's ribbon commands on presentation files\n.SH SYNOPSIS\n";
    for (const Verb& verb : Verbs()) {
        text += ".B velmora\n" + Roff(VerbLine(verb)) + "\n.br\n";
    }
    text += ".B velmora\n\\-\\-help | \\-\\-version\n";
    text += ".SH DESCRIPTION\n" + Roff(std::string(kDescription)) + "\n";
    text += Commands() + Options() + Section("ENVIRONMENT", EnvironmentEntries()) +
            Section("EXIT STATUS", ExitStatusEntries());
    return text;
}

}  // namespace velmora::cli
