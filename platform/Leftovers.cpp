#include "platform/Leftovers.hpp"

#include <array>
#include <cerrno>
#include <string>

#include <signal.h>
#include <unistd.h>

namespace velmora::platform {

void RemoveLeftoversOfDeadRuns(const std::filesystem::path& folder)
{
    RemoveAbandonedWrites(folder);
    RemoveAbandonedTemporaryNames(folder);
    RemoveAbandonedPrivateFolders(folder);
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
