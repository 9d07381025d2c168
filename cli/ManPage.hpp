#pragma once

#include <string>

namespace velmora::cli {

// velmora(1) in man(7) markup, from the text of --help.
std::string ManPage();

}  // namespace velmora::cli
