#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CommandLine.hpp"

namespace velmora::cli {

// A command of `velmora` (ribbon, run, ...): how it is written, what it
// does and the function that does it.
struct Verb {
    std::string_view name;
    std::string_view arguments;  // "COMMAND FILE... [options]"
    std::string_view summary;    // one line
    std::string_view details;    // a paragraph for `velmora help NAME`
    std::span<const OptionSpec> (*options)();
    int (*run)(const std::vector<std::string>& arguments);
};

// Every command, in the order the help lists them.
std::span<const Verb> Verbs();

// The command named `name`; null when there is none.
const Verb* FindVerb(std::string_view name);

// Runs the command line after the program name; returns the exit status.
// Raises UsageError.
int Dispatch(const std::vector<std::string>& arguments);

}  // namespace velmora::cli
