#include "platform/Leftovers.hpp"

#include <array>
#include <cerrno>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace velmora::platform {

void RemoveLeftoversOfDeadRuns(const std::filesystem::path& folder)
{
    RemoveAbandonedWrites(folder);
    RemoveAbandonedTemporaryNames(folder);
    RemoveAbandonedPrivateFolders(folder);
}

void ForEachEntry(const std::filesystem::path& folder, const std::function<void(int folder, const char* name)>& visit)
{
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) {
        return;
    }
    const int folderFd = ::dirfd(listing);
    while (const dirent* entry = ::readdir(listing)) {
        visit(folderFd, entry->d_name);
    }
    ::closedir(listing);
}

void RemoveIfStillThere(int folder, const char* name, const struct stat& opened)
{
    struct stat named {};
    if (::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == opened.st_dev &&
        named.st_ino == opened.st_ino) {
        ::unlinkat(folder, name, 0);
    }
}

bool ProcessGone(pid_t pid)
{
    return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH;
}

std::string HostName()
{
    std::array<char, 256> name{};
    if (::gethostname(name.data(), name.size() - 1) != 0) {
        return {};
    }
    return name.data();
}

}  // namespace velmora::platform
