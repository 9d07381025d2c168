#include "platform/Interruption.hpp"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>

#include <dirent.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velmora::platform {

namespace {

constexpr std::size_t kGroupSlots = 64;
constexpr std::size_t kPathSlots = 64;
constexpr std::size_t kLongestPath = 4096;
constexpr int kDeepestFolder = 32;
// How often the groups are killed and the paths removed again while a path
// is left: a thread of the run may have started a program or made a file
// meanwhile.
constexpr int kRounds = 5;

enum SlotState : int { kFree, kBusy, kReady };

struct PathSlot {
    std::atomic<int> state{kFree};
    std::array<char, kLongestPath> path{};
};

std::array<std::atomic<int>, kGroupSlots> groups{};
std::array<PathSlot, kPathSlots> paths{};
// The thread that cleans up: while it does, no other step of its own can
// make again what was just removed.
std::atomic<pid_t> cleaningThread{0};

pid_t ThisThread()
{
    return static_cast<pid_t>(syscall(SYS_gettid));
}

sigset_t InterruptionSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaddset(&signals, signal);
    }
    return signals;
}

// Claims a free slot for writing; nullptr when all are taken.
PathSlot* ClaimPathSlot()
{
    for (PathSlot& slot : paths) {
        int expected = kFree;
        if (slot.state.compare_exchange_strong(expected, kBusy)) {
            return &slot;
        }
    }
    return nullptr;
}

bool IsDotOrDotDot(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Removes `name` below `folder` with everything in it, through raw system
// calls only (no allocation), so that it may run in a signal handler.
void RemoveTree(int folder, const char* name, int depth)
{
    if (unlinkat(folder, name, 0) == 0 || errno == ENOENT || depth > kDeepestFolder) {
        return;
    }
    const int fd = openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    alignas(8) std::array<char, 4096> buffer{};
    for (;;) {
        const long got = syscall(SYS_getdents64, fd, buffer.data(), buffer.size());
        if (got <= 0) {
            break;
        }
        for (long at = 0; at < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer.data() + at);
            if (!IsDotOrDotDot(entry->d_name)) {
                RemoveTree(fd, entry->d_name, depth + 1);
            }
            at += entry->d_reclen;
        }
    }
    close(fd);
    unlinkat(folder, name, AT_REMOVEDIR);
}

bool AnyGroupLeft()
{
    bool left = false;
    for (const std::atomic<int>& group : groups) {
        const int id = group.load();
        if (id <= 0) {
            continue;
        }
        // Reaps our own child of that group; the rest go to their new parent.
        while (waitpid(-id, nullptr, WNOHANG) > 0) {
        }
        left = left || kill(-id, 0) == 0;
    }
    return left;
}

void KillGroupsAndWait()
{
    for (const std::atomic<int>& group : groups) {
        if (const int id = group.load(); id > 0) {
            kill(-id, SIGKILL);
        }
    }
    // Dying processes may still be writing into the folders about to go.
    constexpr int kWaits = 200;
    const timespec pause{0, 10'000'000};
    for (int i = 0; i < kWaits && AnyGroupLeft(); ++i) {
        nanosleep(&pause, nullptr);
    }
}

// Removes every registered path; true when none is left.
bool RemovePaths()
{
    bool removed = true;
    for (PathSlot& slot : paths) {
        if (slot.state.load() == kReady) {
            RemoveTree(AT_FDCWD, slot.path.data(), 0);
            removed = removed && faccessat(AT_FDCWD, slot.path.data(), F_OK, AT_SYMLINK_NOFOLLOW) != 0;
        }
    }
    return removed;
}

void OnInterruption(int signal)
{
    const pid_t cleaner = cleaningThread.load();
    if (cleaner != 0 && cleaner != ThisThread()) {
        const int savedErrno = errno;
        syscall(SYS_tgkill, getpid(), cleaner, signal);
        errno = savedErrno;
        return;
    }
    CleanUpAfterInterruption();
    _exit(128 + signal);
}

}  // namespace

void RegisterProcessGroup(int group)
{
    for (std::atomic<int>& slot : groups) {
        int expected = 0;
        if (slot.compare_exchange_strong(expected, group)) {
            return;
        }
    }
}

void ForgetProcessGroup(int group)
{
    for (std::atomic<int>& slot : groups) {
        int expected = group;
        if (slot.compare_exchange_strong(expected, 0)) {
            return;
        }
    }
}

void RegisterTemporaryPath(const std::filesystem::path& path)
{
    const std::string text = std::filesystem::absolute(path).string();
    PathSlot* slot = text.size() < kLongestPath ? ClaimPathSlot() : nullptr;
    if (slot == nullptr) {
        return;
    }
    std::memcpy(slot->path.data(), text.c_str(), text.size() + 1);
    slot->state.store(kReady);
}

void ForgetTemporaryPath(const std::filesystem::path& path)
{
    const std::string text = std::filesystem::absolute(path).string();
    for (PathSlot& slot : paths) {
        int expected = kReady;
        if (slot.state.load() == kReady && std::strcmp(slot.path.data(), text.c_str()) == 0 &&
            slot.state.compare_exchange_strong(expected, kBusy)) {
            slot.path.fill('\0');
            slot.state.store(kFree);
            return;
        }
    }
}

void CleanUpAfterInterruption() noexcept
{
    const int savedErrno = errno;
    const timespec pause{0, 20'000'000};
    for (int round = 0; round < kRounds; ++round) {
        KillGroupsAndWait();
        if (RemovePaths()) {
            break;
        }
        nanosleep(&pause, nullptr);
    }
    errno = savedErrno;
}

void ExitCleanlyOnInterruption()
{
    cleaningThread.store(ThisThread());
    struct sigaction action {};
    action.sa_handler = OnInterruption;
    action.sa_mask = InterruptionSignals();
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
}

InterruptionsHeld::InterruptionsHeld()
{
    const sigset_t signals = InterruptionSignals();
    pthread_sigmask(SIG_BLOCK, &signals, &before_);
}

InterruptionsHeld::~InterruptionsHeld()
{
    pthread_sigmask(SIG_SETMASK, &before_, nullptr);
}

}  // namespace velmora::platform
