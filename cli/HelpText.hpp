#pragma once

#include <span>
#include <string>
#include <string_view>

#include "cli/Verbs.hpp"

namespace velmora::cli {

// A name with its meaning: an environment variable, an exit status.
struct Entry {
    std::string_view name;
    std::string_view meaning;
};

std::span<const Entry> EnvironmentEntries();
std::span<const Entry> ExitStatusEntries();

// What velmora is, in one sentence.
extern const std::string_view kDescription;

// What options also accept, said once for every command.
extern const std::string_view kOptionForms;

// "velmora 2.0"
std::string VersionText();

// The command list, for usage errors.
std::string Usage();
// `velmora --help`: the commands, the environment and the exit statuses.
std::string GeneralHelp();
// `velmora help VERB`, `velmora VERB --help`.
std::string VerbHelp(const Verb& verb);

// "--name=VALUE, -x VALUE" as the help writes an option.
std::string OptionSynopsis(const OptionSpec& option);

}  // namespace velmora::cli
