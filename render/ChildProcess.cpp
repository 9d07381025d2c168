#include "render/ChildProcess.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <system_error>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/HostSteps.hpp"

extern char** environ;

namespace velmora::render {

namespace {

constexpr std::size_t kKeptOutput = 8192;

using Clock = std::chrono::steady_clock;

class OutputPipe {
public:
    OutputPipe()
    {
        std::array<int, 2> ends{};
        if (pipe2(ends.data(), O_CLOEXEC) != 0) {
            throw std::system_error(errno, std::generic_category(), "cannot create a pipe");
        }
        read_ = ends[0];
        write_ = ends[1];
    }
    ~OutputPipe()
    {
        CloseWriteEnd();
        close(read_);
    }
    OutputPipe(const OutputPipe&) = delete;
    OutputPipe& operator=(const OutputPipe&) = delete;

    int ReadEnd() const { return read_; }
    int WriteEnd() const { return write_; }
    void CloseWriteEnd()
    {
        if (write_ >= 0) {
            close(write_);
            write_ = -1;
        }
    }

private:
    int read_ = -1;
    int write_ = -1;
};

// File actions and attributes: stdin from /dev/null, stdout and stderr into
// the pipe, a new process group.
class SpawnSetup {
public:
    explicit SpawnSetup(int outputFd)
    {
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, outputFd, STDERR_FILENO);
        posix_spawnattr_init(&attributes);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
        posix_spawnattr_setpgroup(&attributes, 0);
    }
    ~SpawnSetup()
    {
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};
};

void KeepTail(std::string& kept, const char* data, std::size_t size)
{
    kept.append(data, size);
    if (kept.size() > kKeptOutput) {
        kept.erase(0, kept.size() - kKeptOutput);
    }
}

// Reads the child's output until every writer closed the pipe (true) or the
// deadline passed (false).
bool CollectUntil(int fd, Clock::time_point deadline, std::string& output)
{
    std::array<char, 4096> buffer{};
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            return false;
        }
        pollfd watched{fd, POLLIN, 0};
        const int ready = poll(&watched, 1, static_cast<int>(std::min<long long>(left, INT_MAX)));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return false;
        }
        const ssize_t got = read(fd, buffer.data(), buffer.size());
        if (got > 0) {
            KeepTail(output, buffer.data(), static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            return true;
        }
    }
}

int WaitForExit(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

ChildResult RunChild(const std::vector<std::string>& argv, std::chrono::milliseconds limit)
{
    if (platform::StepsWanted()) {
        std::string line = "run";
        for (const std::string& arg : argv) {
            line += " " + arg;
        }
        platform::ReportStep(line);
    }
    const auto deadline = Clock::now() + limit;
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);

    OutputPipe pipe;
    pid_t pid = 0;
    int spawned = 0;
    {
        SpawnSetup setup(pipe.WriteEnd());
        spawned = posix_spawnp(&pid, args.front(), &setup.actions, &setup.attributes, args.data(), environ);
    }
    pipe.CloseWriteEnd();
    if (spawned != 0) {
        throw std::system_error(spawned, std::generic_category(), "cannot start " + argv.front());
    }

    ChildResult result;
    if (!CollectUntil(pipe.ReadEnd(), deadline, result.output)) {
        // The child is not reaped yet, so its group id is still ours to kill.
        kill(-pid, SIGKILL);
        result.timedOut = true;
    }
    result.status = WaitForExit(pid);
    return result;
}

}  // namespace velmora::render
