#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace velmora::doctools {

// Writes lines in the system's ANSI code page, each ended by CR LF, without
// a byte-order mark: the whole file or nothing. A failure raises the host
// error naming the file.
void WriteAnsiLines(const std::filesystem::path& path, const std::vector<std::string>& lines);

}  // namespace velmora::doctools
