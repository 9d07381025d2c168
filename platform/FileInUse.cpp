#include "platform/FileInUse.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/AtomicFile.hpp"

namespace velmora::platform {

namespace {

std::optional<std::string> OfficeLockBeside(const std::filesystem::path& file)
{
    const std::filesystem::path lock = file.parent_path() / (".~lock." + file.filename().string() + "#");
    struct stat status {};
    if (::lstat(lock.c_str(), &status) == 0) {
        return "it is open in another program (its lock file " + lock.filename().string() +
               " exists; close it there first)";
    }
    return std::nullopt;
}

std::optional<std::string> LockedByAnother(const std::filesystem::path& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat status {};
    std::optional<std::string> holder;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        // A probe for a read lock is refused only by another process's write lock.
        struct flock probe {};
        probe.l_type = F_RDLCK;
        probe.l_whence = SEEK_SET;
        if (::fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK) {
            holder = "another program holds a write lock on it";
        } else if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
            holder = "another program holds a lock on it";
        }
    }
    // Closing drops the shared flock taken just now, and holds no fcntl lock of ours.
    ::close(fd);
    return holder;
}

}  // namespace

std::optional<std::string> InUseBy(const std::filesystem::path& file)
{
    if (auto holder = OfficeLockBeside(file)) {
        return holder;
    }
    const std::filesystem::path real = FollowLinks(file);
    if (real != file) {
        if (auto holder = OfficeLockBeside(real)) {
            return holder;
        }
    }
    return LockedByAnother(real);
}

}  // namespace velmora::platform
