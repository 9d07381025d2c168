#include "platform/FileLock.hpp"

#include <cerrno>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace velmora::platform {

FileLock::FileLock(const std::filesystem::path& path) : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
{
    if (fd_ < 0) {
        throw std::system_error(errno, std::generic_category(), "cannot open the lock file " + path.string());
    }
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            const int error = errno;
            ::close(fd_);
            throw std::system_error(error, std::generic_category(), "cannot lock " + path.string());
        }
    }
}

FileLock::~FileLock()
{
    ::close(fd_);
}

}  // namespace velmora::platform
