#include "platform/AtomicFile.hpp"

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::platform {

namespace {

[[noreturn]] void ThrowErrno(const std::string& what, const std::filesystem::path& path)
{
    throw std::system_error(errno, std::generic_category(), what + " " + path.string());
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    // close() reports late write errors (NFS, quota); those must count.
    int close()
    {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// The temporary file beside the target; removed unless committed.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target) : target_(target)
    {
        std::random_device seed;
        std::mt19937 generator(seed());
        // Appended piece by piece: GCC 12 misreads a literal + string as overlapping copies.
        std::string hidden = ".";
        hidden += target.stem().string();
        hidden += ".tmp-";
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = target.parent_path() / (hidden + std::to_string(generator() % 1000000) + target.extension().string());
            // 0666 so the user's umask decides, as for any new file.
            const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                ::close(fd);
                return;
            }
            if (errno != EEXIST) {
                ThrowErrno("cannot write", target);
            }
        }
        ThrowErrno("cannot create a temporary file for", target);
    }
    ~TemporaryFile()
    {
        if (!committed_) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::filesystem::path& path() const { return path_; }

    void Commit()
    {
        KeepTargetMode();
        Sync();
        if (std::rename(path_.c_str(), target_.c_str()) != 0) {
            ThrowErrno("cannot replace", target_);
        }
        committed_ = true;
        SyncFolder();
    }

private:
    void KeepTargetMode() const
    {
        struct stat old {};
        if (::stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
            ::chmod(path_.c_str(), old.st_mode & 07777);
        }
    }

    void Sync() const
    {
        FileDescriptor file(::open(path_.c_str(), O_RDONLY | O_CLOEXEC));
        if (file.get() < 0 || ::fsync(file.get()) != 0) {
            ThrowErrno("cannot flush", target_);
        }
    }

    // Makes the rename itself durable; a failure here no longer loses data.
    void SyncFolder() const
    {
        const std::filesystem::path folder = target_.parent_path().empty() ? "." : target_.parent_path();
        FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir.get() >= 0) {
            ::fsync(dir.get());
        }
    }

    std::filesystem::path target_;
    std::filesystem::path path_;
    bool committed_ = false;
};

void WriteAll(const std::filesystem::path& file, std::string_view contents, const std::filesystem::path& target)
{
    FileDescriptor out(::open(file.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (out.get() < 0) {
        ThrowErrno("cannot write", target);
    }
    while (!contents.empty()) {
        const ssize_t written = ::write(out.get(), contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowErrno("cannot write", target);
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    if (out.close() != 0) {
        ThrowErrno("cannot write", target);
    }
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents)
{
    TemporaryFile temporary(path);
    WriteAll(temporary.path(), contents, path);
    temporary.Commit();
}

void ProduceFileAtomically(const std::filesystem::path& path,
                           const std::function<void(const std::filesystem::path& temporary)>& produce)
{
    TemporaryFile temporary(path);
    produce(temporary.path());
    temporary.Commit();
}

}  // namespace velmora::platform
