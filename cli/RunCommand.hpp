#pragma once

#include <ostream>

#include "cli/CommandLine.hpp"

namespace velmora::cli {

// `velmora run`: opens the file in one window, applies the view and the
// selection, connects the add-in, presses the command and saves a changed
// presentation as the options say. Message boxes (or, with --json, the
// transcript) go to out, problems to err. Returns the exit status.
int RunCommand(const RunOptions& options, std::ostream& out, std::ostream& err);

// `velmora startup`: connects the add-in to a host with no presentation open,
// so that only its start-up routine runs.
int RunStartup(const RunOptions& options, std::ostream& out, std::ostream& err);

}  // namespace velmora::cli
