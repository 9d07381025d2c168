#include "platform/AtomicFile.hpp"

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Interruption.hpp"
#include "platform/Leftovers.hpp"

namespace velmora::platform {

namespace {

// ".velmora-" + 6 letters or digits + ".tmp", then the target's extension
// for files a library writes by name. Short and of fixed length, so that a
// file whose own name is near the system's limit can still be replaced.
constexpr std::string_view kTemporaryPrefix = ".velmora-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::size_t kRandomLength = 6;
constexpr int kMostLinks = 40;

// A write past the file-size limit (ulimit -f) fails as on a full disk, with words for the cause.
[[noreturn]] void ThrowErrno(int error, const std::string& what, const std::filesystem::path& path)
{
    const std::string limit = error == EFBIG ? " (beyond the file-size limit, ulimit -f)" : "";
    throw std::system_error(error, std::generic_category(), what + " " + path.string() + limit);
}

[[noreturn]] void ThrowErrno(const std::string& what, const std::filesystem::path& path)
{
    ThrowErrno(errno, what, path);
}

bool IsTemporaryName(std::string_view name)
{
    if (!name.starts_with(kTemporaryPrefix)) {
        return false;
    }
    name.remove_prefix(kTemporaryPrefix.size());
    if (name.size() < kRandomLength + kTemporarySuffix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kRandomLength; ++i) {
        const char c = name[i];
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) {
            return false;
        }
    }
    return name.substr(kRandomLength).starts_with(kTemporarySuffix);
}

std::string TemporaryName(std::string_view extension)
{
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 generator{std::random_device{}()};
    std::string name(kTemporaryPrefix);
    for (std::size_t i = 0; i < kRandomLength; ++i) {
        name += kLetters[generator() % kLetters.size()];
    }
    return name + std::string(kTemporarySuffix) + std::string(extension);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    void reset(int fd)
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = fd;
    }

private:
    int fd_;
};

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

// A temporary file is locked by its writer for as long as it exists; one
// that can be locked has lost its writer (killed mid-write) and goes.
void RemoveAbandonedWrites(const std::filesystem::path& folder)
{
    ForEachEntry(folder, [](int folderFd, const char* name) {
        if (!IsTemporaryName(name)) {
            return;
        }
        FileDescriptor file(::openat(folderFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat opened {};
        if (file.get() >= 0 && ::fstat(file.get(), &opened) == 0 && S_ISREG(opened.st_mode) &&
            ::flock(file.get(), LOCK_EX | LOCK_NB) == 0) {
            RemoveIfStillThere(folderFd, name, opened);
        }
    });
}

namespace {

std::filesystem::path FolderOf(const std::filesystem::path& file)
{
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

// The real file behind `path`, refused when it exists but may not be replaced.
std::filesystem::path ReplaceableFile(const std::filesystem::path& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        if (errno != ENOENT) {
            ThrowErrno("cannot write", path);
        }
        return FollowLinks(path);
    }
    if (!S_ISREG(status.st_mode)) {
        ThrowErrno(S_ISDIR(status.st_mode) ? EISDIR : EINVAL, "cannot replace what is not a regular file:", path);
    }
    // Root may write anywhere; a file with no write permission at all is still meant to stay.
    if (::access(path.c_str(), W_OK) != 0 || (status.st_mode & 0222) == 0) {
        ThrowErrno(EACCES, "cannot replace a read-only file:", path);
    }
    return FollowLinks(path);
}

// The new content of a file until it replaces the old: locked, and either
// unnamed (linked under a temporary name only once it is complete) or
// named from the start.
class PendingFile {
public:
    PendingFile(const std::filesystem::path& shown, const std::filesystem::path& real, bool unnamed,
                std::string_view extension = {}, const std::optional<FileStamp>& readAs = std::nullopt)
        : shown_(shown), real_(real), folder_(FolderOf(real)), extension_(extension), readAs_(readAs)
    {
        RemoveLeftoversOfDeadRuns(folder_);
        if (!(unnamed && OpenUnnamed())) {
            OpenNamed();
        }
    }
    ~PendingFile()
    {
        if (!name_.empty() && !committed_) {
            ::unlink(name_.c_str());
            ForgetTemporaryPath(name_);
        }
    }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const std::filesystem::path& Name() const { return name_; }

    void Write(std::string_view contents)
    {
        while (!contents.empty()) {
            const ssize_t written = ::write(fd_.get(), contents.data(), contents.size());
            if (written < 0) {
                if (errno == EINTR) {
                    continue;
                }
                ThrowErrno("cannot write", shown_);
            }
            contents.remove_prefix(static_cast<std::size_t>(written));
        }
    }

    void Commit()
    {
        KeepMode();
        if (::fsync(fd_.get()) != 0) {
            ThrowErrno("cannot flush", shown_);
        }
        // An interruption waits until the new name is in place or the temporary one is registered.
        const InterruptionsHeld held;
        if (name_.empty()) {
            LinkUnnamed();
        }
        CheckUnchanged();
        if (std::rename(name_.c_str(), real_.c_str()) != 0) {
            ThrowErrno("cannot replace", shown_);
        }
        committed_ = true;
        ForgetTemporaryPath(name_);
        SyncFolder();
    }

private:
    bool OpenUnnamed()
    {
        // 0666 so the user's umask decides, as for any new file.
        fd_.reset(::open(folder_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666));
        if (fd_.get() < 0) {
            if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) {
                return false;  // a file system without unnamed files
            }
            ThrowErrno("cannot write", shown_);
        }
        // Locked before it has a name, so that no other writer takes it for abandoned.
        ::flock(fd_.get(), LOCK_EX);
        return true;
    }

    void OpenNamed()
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::filesystem::path name = folder_ / TemporaryName(extension_);
            const InterruptionsHeld held;
            fd_.reset(::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            if (fd_.get() < 0) {
                if (errno == EEXIST) {
                    continue;
                }
                ThrowErrno("cannot write", shown_);
            }
            // Another writer may have removed it as abandoned before the lock was taken.
            struct stat opened {};
            struct stat named {};
            if (::flock(fd_.get(), LOCK_EX) == 0 && ::fstat(fd_.get(), &opened) == 0 &&
                ::lstat(name.c_str(), &named) == 0 && SameFile(opened, named)) {
                Named(name);
                return;
            }
        }
        ThrowErrno(EEXIST, "cannot create a temporary file for", shown_);
    }

    void LinkUnnamed()
    {
        const std::string self = "/proc/self/fd/" + std::to_string(fd_.get());
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::filesystem::path name = folder_ / TemporaryName(extension_);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                Named(name);
                return;
            }
            if (errno != EEXIST) {
                ThrowErrno("cannot write", shown_);
            }
        }
        ThrowErrno(EEXIST, "cannot name the new content of", shown_);
    }

    void Named(const std::filesystem::path& name)
    {
        name_ = name;
        RegisterTemporaryPath(name_);
    }

    void CheckUnchanged() const
    {
        if (readAs_ && StampOf(real_) != readAs_) {
            throw std::system_error(EBUSY, std::generic_category(),
                                    shown_.string() + " changed since it was read (another program saved it); "
                                                      "replacing it would undo that change");
        }
    }

    void KeepMode() const
    {
        struct stat old {};
        if (::stat(real_.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
            ::fchmod(fd_.get(), old.st_mode & 07777);
        }
    }

    // Makes the rename itself durable; a failure here no longer loses data.
    void SyncFolder() const
    {
        FileDescriptor dir(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir.get() >= 0) {
            ::fsync(dir.get());
        }
    }

    std::filesystem::path shown_;
    std::filesystem::path real_;
    std::filesystem::path folder_;
    std::string extension_;
    std::optional<FileStamp> readAs_;
    FileDescriptor fd_;
    std::filesystem::path name_;
    bool committed_ = false;
};

bool ProcessFilesReachable()
{
    static const bool reachable = ::access("/proc/self/fd", X_OK) == 0;
    return reachable;
}

}  // namespace

std::filesystem::path FollowLinks(const std::filesystem::path& path)
{
    std::filesystem::path file = path;
    for (int links = 0; links < kMostLinks; ++links) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(file, error))) {
            return file;
        }
        const std::filesystem::path target = std::filesystem::read_symlink(file, error);
        if (error) {
            ThrowErrno(error.value(), "cannot follow the link", path);
        }
        file = target.is_absolute() ? target : FolderOf(file) / target;
    }
    ThrowErrno(ELOOP, "cannot follow the links of", path);
}

bool FileStamp::operator==(const FileStamp& other) const
{
    return device == other.device && inode == other.inode && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
}

std::optional<FileStamp> StampOf(const std::filesystem::path& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return FileStamp{status.st_dev, status.st_ino, status.st_size, status.st_mtim};
}

void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents,
                         const std::optional<FileStamp>& readAs)
{
    PendingFile pending(path, ReplaceableFile(path), ProcessFilesReachable(), {}, readAs);
    pending.Write(contents);
    pending.Commit();
}

void ProduceFileAtomically(const std::filesystem::path& path,
                           const std::function<void(const std::filesystem::path& temporary)>& produce)
{
    PendingFile pending(path, ReplaceableFile(path), false, path.extension().string());
    produce(pending.Name());
    pending.Commit();
}

}  // namespace velmora::platform
