#pragma once

#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include <sys/types.h>

namespace velmora::platform {

// What tells one version of a file from another without reading it.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    bool operator==(const FileStamp& other) const;
};

// The stamp of the file `path` names (through links); nothing when it cannot be looked at.
std::optional<FileStamp> StampOf(const std::filesystem::path& path);

// Replaces path with contents in one step: the contents go to a temporary
// file in the real file's folder (through symbolic links), are flushed to
// disk and renamed over it, so a reader sees the old file or the new one,
// never a part. The temporary file has no name until it is complete where
// the file system allows; otherwise it has a short name of ours that the
// next write into that folder removes once its writer is gone. The file's
// mode is kept. Something that is not a regular file, or a file without
// write permission, is refused. Given `readAs`, the file is replaced only
// while it still has that stamp, so that a change saved meanwhile by another
// program is not undone. On failure the old file stays and std::system_error
// names the path. The temporary name is removed when the process is
// interrupted, and the rename is not.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents,
                         const std::optional<FileStamp>& readAs = std::nullopt);


// The same for a file another library writes by name (a picture encoder):
// produce writes the whole file at the temporary path it is given, which
// keeps path's extension. An exception from produce propagates unchanged.
void ProduceFileAtomically(const std::filesystem::path& path,
                           const std::function<void(const std::filesystem::path& temporary)>& produce);

// The file a write to path lands in: path with its symbolic links followed,
// also when the last one points to nothing yet.
std::filesystem::path FollowLinks(const std::filesystem::path& path);

}  // namespace velmora::platform
