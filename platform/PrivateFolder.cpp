#include "platform/PrivateFolder.hpp"

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <string_view>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Interruption.hpp"
#include "platform/Leftovers.hpp"

namespace velmora::platform {

namespace {

constexpr std::string_view kOurPrefix = "velmora-";
constexpr std::size_t kUniqueLetters = 6;

// A folder's name records its process: prefix + "-" + id + "-" + six
// letters or digits, the prefix starting "velmora-", so that a later run
// tells one whose process was killed. The process a name records; 0 for a
// name not of ours.
pid_t OwnerInName(std::string_view name)
{
    if (!name.starts_with(kOurPrefix) || name.size() < kOurPrefix.size() + kUniqueLetters + 3) {
        return 0;
    }
    const std::string_view unique = name.substr(name.size() - kUniqueLetters);
    name.remove_suffix(kUniqueLetters);
    if (!name.ends_with('-') ||
        unique.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") !=
            std::string_view::npos) {
        return 0;
    }
    name.remove_suffix(1);
    const std::size_t dash = name.rfind('-');
    const std::string_view digits = name.substr(dash + 1);
    if (dash < kOurPrefix.size() - 1 || digits.empty() || digits.size() > 9 ||
        digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return 0;
    }
    return static_cast<pid_t>(std::stol(std::string(digits)));
}

// A folder (not a link) of this user.
bool OwnFolder(int folder, const char* name)
{
    struct stat status {};
    return ::fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid();
}

}  // namespace

PrivateFolder::PrivateFolder(const std::string& prefix)
{
    const std::filesystem::path temporary = std::filesystem::temp_directory_path();
    // Once a process: a run makes many of these.
    static std::once_flag swept;
    std::call_once(swept, [&temporary] { RemoveLeftoversOfDeadRuns(temporary); });
    const std::string pattern = (temporary / (prefix + "-" + std::to_string(::getpid()) + "-XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const platform::InterruptionsHeld held;
    if (mkdtemp(name.data()) == nullptr) {
        throw std::system_error(errno, std::generic_category(), "cannot create a temporary folder " + pattern);
    }
    path_ = name.data();
    RegisterTemporaryPath(path_);
}

PrivateFolder::~PrivateFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    ForgetTemporaryPath(path_);
}

void RemoveAbandonedPrivateFolders(const std::filesystem::path& folder)
{
    ForEachEntry(folder, [&](int folderFd, const char* name) {
        const pid_t owner = OwnerInName(name);
        if (owner != 0 && ProcessGone(owner) && OwnFolder(folderFd, name)) {
            std::error_code ignored;
            std::filesystem::remove_all(folder / name, ignored);
        }
    });
}

}  // namespace velmora::platform
