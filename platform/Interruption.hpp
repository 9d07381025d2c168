#pragma once

#include <filesystem>

#include <signal.h>

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
// removes every registered path with its contents; again, a few rounds,
// while a path is left (another thread of the run may have started a
// program or made a file meanwhile).
void CleanUpAfterInterruption() noexcept;

// SIGINT, SIGTERM and SIGHUP clean up and end the process with 128 + the
// signal's number (130, 143, 129). The calling thread does it: a signal
// another thread receives is passed on to it, so that the steps of that
// thread stop while their files go.
void ExitCleanlyOnInterruption();

// SIGINT, SIGTERM and SIGHUP wait while the object lives (in this thread),
// for a short step that must not be cut in two: a file created and then
// registered, a temporary name renamed and then forgotten.
class InterruptionsHeld {
public:
    InterruptionsHeld();
    ~InterruptionsHeld();
    InterruptionsHeld(const InterruptionsHeld&) = delete;
    InterruptionsHeld& operator=(const InterruptionsHeld&) = delete;

private:
    sigset_t before_;
};

}  // namespace velmora::platform
