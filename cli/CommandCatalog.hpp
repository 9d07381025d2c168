#pragma once

#include <ostream>

namespace velmora::cli {

// Every ribbon command, one a line: its onAction name, its group, its label
// and "built" or "not built", separated by tabs; or, with json, an array of
// objects with those four members.
void PrintCommands(std::ostream& out, bool json);

}  // namespace velmora::cli
