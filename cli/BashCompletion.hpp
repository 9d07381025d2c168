#pragma once

#include <string>

namespace velmora::cli {

// A bash completion script for velmora: its commands, their options, the
// ribbon commands, the dialogs and, after --set, --click, --type and --drag,
// the controls of the dialog the ribbon command shows. Made from the same
// tables as --help.
std::string BashCompletion();

}  // namespace velmora::cli
