#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace velmora::platform {

// Replaces path with contents in one step: the contents go to a temporary
// file in the real file's folder (through symbolic links), are flushed to
// disk and renamed over it, so a reader sees the old file or the new one,
// never a part. The temporary file has no name until it is complete where
// the file system allows; otherwise it has a short name of ours that the
// next write into that folder removes once its writer is gone. The file's
// mode is kept. Something that is not a regular file, or a file without
// write permission, is refused. On failure the old file stays and
// std::system_error names the path.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents);

// The same for a file another library writes by name (a picture encoder):
// produce writes the whole file at the temporary path it is given, which
// keeps path's extension. An exception from produce propagates unchanged.
void ProduceFileAtomically(const std::filesystem::path& path,
                           const std::function<void(const std::filesystem::path& temporary)>& produce);

// The file a write to path lands in: path with its symbolic links followed,
// also when the last one points to nothing yet.
std::filesystem::path FollowLinks(const std::filesystem::path& path);

}  // namespace velmora::platform
