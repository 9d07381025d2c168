#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/MsoConstants.hpp"
#include "host/Prompts.hpp"

namespace velmora::platform {

// A message box as one printed block: "[TITLE] TEXT", each carriage return
// (or CR LF) in TEXT printed as a line break.
std::string MessageLine(std::string_view title, std::string_view prompt);

// Whether a message box style asks Yes or No.
bool IsQuestion(int style);

// The filters as one line, "swf files (*.swf); Image Files (*.JPG,*.PNG)".
std::string DescribeFilters(const std::vector<host::FileFilter>& filters);

// A colour answer "R,G,B" (each 0 to 255) or "#RRGGBB"; nullopt when the
// text is neither.
std::optional<host::Color> ParseColor(std::string_view text);
// "R,G,B".
std::string FormatColor(host::Color color);

}  // namespace velmora::platform
