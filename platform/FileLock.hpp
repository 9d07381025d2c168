#pragma once

#include <filesystem>

namespace velmora::platform {

// An exclusive flock on a lock file, held for the object's lifetime. The lock
// file is never removed: removing it would let two writers lock two files.
class FileLock {
public:
    // Blocks until the lock is taken; throws std::system_error naming path.
    explicit FileLock(const std::filesystem::path& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_;
};

}  // namespace velmora::platform
