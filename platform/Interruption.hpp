#pragma once

#include <filesystem>

namespace velmora::platform {

// What an interrupted run must undo: the process groups of the programs it
// started and the temporary files and folders it made. Registration is
// thread-safe; CleanUpAfterInterruption only uses async-signal-safe calls, so a
// signal handler may run it. The registry holds a bounded number of entries:
// past that, an entry is not kept (and cleaned only by its owner).
void RegisterProcessGroup(int group);
void ForgetProcessGroup(int group);
void RegisterTemporaryPath(const std::filesystem::path& path);
void ForgetTemporaryPath(const std::filesystem::path& path);

// Kills every registered process group, waits briefly for them to go and
// removes every registered path with its contents.
void CleanUpAfterInterruption() noexcept;

// SIGINT, SIGTERM and SIGHUP clean up and end the process with 128 + the
// signal's number (130, 143, 129).
void ExitCleanlyOnInterruption();

// A temporary path registered for as long as the object lives.
class TemporaryPathGuard {
public:
    explicit TemporaryPathGuard(std::filesystem::path path);
    ~TemporaryPathGuard();
    TemporaryPathGuard(const TemporaryPathGuard&) = delete;
    TemporaryPathGuard& operator=(const TemporaryPathGuard&) = delete;

private:
    std::filesystem::path path_;
};

}  // namespace velmora::platform
