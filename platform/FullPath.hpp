#pragma once

#include <filesystem>

namespace velmora::platform {

// A path as the host reports the files it opened or was given: absolute,
// without "." or ".." parts. Tools compare and store it as it stands, so a
// path typed relative to the working folder must never reach them. An empty
// path stays empty.
std::filesystem::path FullPath(const std::filesystem::path& path);

}  // namespace velmora::platform
