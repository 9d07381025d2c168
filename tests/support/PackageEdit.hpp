#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace velmora::testing {

// Direct access to a zip package's entries, for building odd or foreign files.
std::optional<std::string> ReadEntry(const std::filesystem::path& zip, const std::string& name);
void WriteEntry(const std::filesystem::path& zip, const std::string& name, const std::string& content);

}  // namespace velmora::testing
