#include "platform/EditLock.hpp"

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::platform {

namespace {

constexpr std::chrono::milliseconds kRetryEvery{50};

std::mutex heldMutex;
std::vector<std::pair<dev_t, ino_t>> held;

void NoteHeld(dev_t device, ino_t inode)
{
    const std::lock_guard lock(heldMutex);
    held.emplace_back(device, inode);
}

void NoteReleased(dev_t device, ino_t inode)
{
    const std::lock_guard lock(heldMutex);
    if (auto found = std::find(held.begin(), held.end(), std::pair{device, inode}); found != held.end()) {
        held.erase(found);
    }
}

}  // namespace

EditLock::EditLock(const std::filesystem::path& file, std::chrono::milliseconds patience)
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!TryLock(file)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            throw std::system_error(EWOULDBLOCK, std::generic_category(),
                                    file.string() + " is being changed by another run or program (it holds a lock "
                                                    "on it); try again once that has finished");
        }
        std::this_thread::sleep_for(kRetryEvery);
    }
}

EditLock::~EditLock()
{
    Release();
}

// True once the file is locked, or when there is nothing to lock.
bool EditLock::TryLock(const std::filesystem::path& file)
{
    fd_ = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat opened {};
    if (fd_ < 0 || ::fstat(fd_, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        Release();
        return true;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        Release();
        return false;
    }
    // The holder before us may have replaced the file: the lock must be on what the name now holds.
    struct stat named {};
    if (::stat(file.c_str(), &named) != 0) {
        Release();
        return true;
    }
    if (named.st_dev != opened.st_dev || named.st_ino != opened.st_ino) {
        Release();
        return false;
    }
    device_ = opened.st_dev;
    inode_ = opened.st_ino;
    NoteHeld(device_, inode_);
    return true;
}

void EditLock::Release()
{
    if (fd_ < 0) {
        return;
    }
    if (inode_ != 0) {
        NoteReleased(device_, inode_);
        inode_ = 0;
    }
    ::close(fd_);
    fd_ = -1;
}

bool EditLockedHere(dev_t device, ino_t inode)
{
    const std::lock_guard lock(heldMutex);
    return std::find(held.begin(), held.end(), std::pair{device, inode}) != held.end();
}

}  // namespace velmora::platform
