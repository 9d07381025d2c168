#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace velmora::platform {

// Replaces path with contents in one step: a temporary file in the same
// folder is written, flushed to disk and renamed over path, so a reader sees
// the old file or the new one, never a part. On failure the temporary file is
// removed, the old file stays, and std::system_error names the path.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents);

// The same for a file another library writes by name (a picture encoder):
// produce writes the whole file at the temporary path it is given, which
// keeps path's extension. An exception from produce propagates unchanged.
void ProduceFileAtomically(const std::filesystem::path& path,
                           const std::function<void(const std::filesystem::path& temporary)>& produce);

}  // namespace velmora::platform
