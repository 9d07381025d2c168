#include "platform/FileInUse.hpp"

#include <array>
#include <cerrno>
#include <charconv>
#include <fstream>
#include <string_view>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/AsciiCase.hpp"
#include "platform/AtomicFile.hpp"
#include "platform/EditLock.hpp"

namespace velmora::platform {

namespace {

constexpr std::size_t kLockFileAccountField = 1;
constexpr std::size_t kLockFileHostField = 2;
constexpr std::size_t kLongestLockLine = 4096;

// LibreOffice's lock file is one line: "name,account,host,time,profile;",
// with a backslash before a comma, semicolon or backslash inside a field.
std::vector<std::string> LockFields(const std::filesystem::path& lock)
{
    std::ifstream in(lock, std::ios::binary);
    std::string line(kLongestLockLine, '\0');
    in.read(line.data(), static_cast<std::streamsize>(line.size()));
    line.resize(static_cast<std::size_t>(in.gcount()));
    std::vector<std::string> fields(1);
    for (std::size_t at = 0; at < line.size() && line[at] != ';' && line[at] != '\n'; ++at) {
        if (line[at] == ',') {
            fields.emplace_back();
            continue;
        }
        if (line[at] == '\\' && at + 1 < line.size()) {
            ++at;
        }
        fields.back() += line[at];
    }
    return fields;
}

// The host may be written with or without its domain.
bool IsThisHost(std::string_view host)
{
    std::array<char, 256> name{};
    if (host.empty() || ::gethostname(name.data(), name.size() - 1) != 0) {
        return false;
    }
    const std::string_view own(name.data());
    const auto shortName = [](std::string_view text) { return text.substr(0, text.find('.')); };
    return EqualIgnoringAsciiCase(host, own) || EqualIgnoringAsciiCase(shortName(host), shortName(own));
}

// The account's user id; nothing when this system does not know the account.
std::optional<uid_t> AccountId(const std::string& account)
{
    std::array<char, 4096> buffer{};
    passwd entry{};
    passwd* found = nullptr;
    if (account.empty() || ::getpwnam_r(account.c_str(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr) {
        return std::nullopt;
    }
    return found->pw_uid;
}

// A LibreOffice process of the lock's owner (of anyone, when the owner is unknown).
bool IsOfficeProcess(const std::string& pid, std::optional<uid_t> owner)
{
    struct stat process {};
    if (owner && (::stat(("/proc/" + pid).c_str(), &process) != 0 || process.st_uid != *owner)) {
        return false;
    }
    std::ifstream in("/proc/" + pid + "/comm");
    std::string name;
    std::getline(in, name);
    return name.starts_with("soffice");
}

// Whether the process has the file open; a process we may not look into might.
bool HasOpen(const std::string& pid, const struct stat& file)
{
    const std::string fds = "/proc/" + pid + "/fd";
    DIR* listing = ::opendir(fds.c_str());
    if (listing == nullptr) {
        return errno != ENOENT;
    }
    bool open = false;
    while (const dirent* entry = ::readdir(listing)) {
        struct stat target {};
        if (entry->d_name[0] != '.' && ::stat((fds + "/" + entry->d_name).c_str(), &target) == 0 &&
            target.st_dev == file.st_dev && target.st_ino == file.st_ino) {
            open = true;
            break;
        }
    }
    ::closedir(listing);
    return open;
}

// LibreOffice keeps a document it edits open; when no LibreOffice process of
// the lock's owner on this host has it open, the lock was left by one that is gone.
bool OfficeHasOpen(const std::filesystem::path& file, std::optional<uid_t> owner)
{
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        return true;
    }
    DIR* processes = ::opendir("/proc");
    if (processes == nullptr) {
        return true;
    }
    bool open = false;
    while (const dirent* entry = ::readdir(processes)) {
        const std::string_view name(entry->d_name);
        int pid = 0;
        if (std::from_chars(name.data(), name.data() + name.size(), pid).ptr != name.data() + name.size() ||
            !IsOfficeProcess(entry->d_name, owner)) {
            continue;
        }
        if (HasOpen(entry->d_name, status)) {
            open = true;
            break;
        }
    }
    ::closedir(processes);
    return open;
}

// A lock written on this host whose LibreOffice is gone, as after a crash:
// LibreOffice itself offers to open the document all the same.
bool IsStale(const std::filesystem::path& lock, const std::filesystem::path& file)
{
    const std::vector<std::string> fields = LockFields(lock);
    return fields.size() > kLockFileHostField && IsThisHost(fields[kLockFileHostField]) &&
           !OfficeHasOpen(file, AccountId(fields[kLockFileAccountField]));
}

std::optional<std::string> OfficeLockBeside(const std::filesystem::path& file)
{
    const std::filesystem::path lock = file.parent_path() / (".~lock." + file.filename().string() + "#");
    struct stat status {};
    if (::lstat(lock.c_str(), &status) == 0 && !(S_ISREG(status.st_mode) && IsStale(lock, file))) {
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
        } else if (!EditLockedHere(status.st_dev, status.st_ino) && ::flock(fd, LOCK_SH | LOCK_NB) != 0) {
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
