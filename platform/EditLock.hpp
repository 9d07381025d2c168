#pragma once

#include <chrono>
#include <filesystem>

#include <sys/types.h>

namespace velmora::platform {

// An exclusive flock on a file being changed, held from the moment it is read
// until it is saved, so that two runs on one file take turns instead of the
// later save undoing the earlier. InUseBy does not count it against this
// process. The file itself is locked (not a lock file beside it): a replaced
// file is a new one, and a waiter that finds the name moved on locks again.
class EditLock {
public:
    // Waits at most `patience` for another holder to let go, then throws
    // std::system_error (EWOULDBLOCK) naming the file. A file that cannot be
    // opened is not locked; reading it fails with its own message later.
    EditLock(const std::filesystem::path& file, std::chrono::milliseconds patience);
    ~EditLock();
    EditLock(const EditLock&) = delete;
    EditLock& operator=(const EditLock&) = delete;

private:
    bool TryLock(const std::filesystem::path& file);
    void Release();

    int fd_ = -1;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

// Whether an EditLock of this process holds the file with this device and inode.
bool EditLockedHere(dev_t device, ino_t inode);

}  // namespace velmora::platform
