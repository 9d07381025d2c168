#include "render/ChildProcess.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <system_error>

#include <fcntl.h>
#include <sys/socket.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/HostSteps.hpp"
#include "platform/Interruption.hpp"

extern char** environ;

namespace velmora::render {

namespace {

constexpr std::size_t kKeptOutput = 8192;
// Once the program is gone, its output is read for at most this long.
constexpr std::chrono::milliseconds kDrainTime{500};

using Clock = std::chrono::steady_clock;

class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    void Close()
    {
        if (fd_ >= 0) {
            close(fd_);
            fd_ = -1;
        }
    }

private:
    int fd_ = -1;
};

struct Pipe {
    Pipe()
    {
        std::array<int, 2> ends{};
        if (pipe2(ends.data(), O_CLOEXEC) != 0) {
            throw std::system_error(errno, std::generic_category(), "cannot create a pipe");
        }
        read = std::make_unique<Descriptor>(ends[0]);
        write = std::make_unique<Descriptor>(ends[1]);
    }
    std::unique_ptr<Descriptor> read;
    std::unique_ptr<Descriptor> write;
};

// Everything the child needs, prepared before fork: after it only
// async-signal-safe calls are allowed.
struct Launch {
    std::string program;
    std::vector<std::string> environment;
    std::vector<char*> argv;
    std::vector<char*> envp;
    rlimit memory{RLIM_INFINITY, RLIM_INFINITY};
};

bool IsExecutable(const std::string& path)
{
    return access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string FindProgram(const std::string& name)
{
    if (name.find('/') != std::string::npos) {
        return name;
    }
    const char* search = std::getenv("PATH");
    std::string_view folders = search != nullptr ? search : "/usr/local/bin:/usr/bin:/bin";
    while (!folders.empty()) {
        const std::size_t colon = std::min(folders.find(':'), folders.size());
        const std::string folder(folders.substr(0, colon));
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
        if (IsExecutable(candidate)) {
            return candidate;
        }
        folders.remove_prefix(std::min(colon + 1, folders.size()));
    }
    throw std::system_error(ENOENT, std::generic_category(), "cannot start " + name);
}

namespace {

Launch Prepare(const std::vector<std::string>& argv, const ChildLimits& limits)
{
    Launch launch;
    launch.program = FindProgram(argv.front());
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string entry = *variable;
        if (!limits.environment.contains(entry.substr(0, entry.find('=')))) {
            launch.environment.push_back(entry);
        }
    }
    for (const auto& [name, value] : limits.environment) {
        launch.environment.push_back(name + "=" + value);
    }
    for (const std::string& arg : argv) {
        launch.argv.push_back(const_cast<char*>(arg.c_str()));
    }
    launch.argv.push_back(nullptr);
    for (std::string& entry : launch.environment) {
        launch.envp.push_back(entry.data());
    }
    launch.envp.push_back(nullptr);
    if (limits.addressSpace > 0) {
        launch.memory = {limits.addressSpace, limits.addressSpace};
    }
    return launch;
}

// Where the child's standard streams go; -1 for /dev/null.
struct Streams {
    int input = -1;
    int output = -1;
    int errors = -1;
};

// In the child, between fork and exec: a group of its own, the signals a
// program expects, its streams, the memory limit. A failure is told through
// `report` as an errno value.
[[noreturn]] void BecomeChild(const Launch& launch, Streams streams, int report)
{
    setpgid(0, 0);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGQUIT, SIGXFSZ}) {
        ::signal(signal, SIG_DFL);
    }
    const int nothing = open("/dev/null", O_RDWR);
    const auto either = [nothing](int fd) { return fd >= 0 ? fd : nothing; };
    const bool ready = nothing >= 0 && dup2(either(streams.input), STDIN_FILENO) >= 0 &&
                       dup2(either(streams.output), STDOUT_FILENO) >= 0 &&
                       dup2(either(streams.errors), STDERR_FILENO) >= 0 && setrlimit(RLIMIT_AS, &launch.memory) == 0;
    if (ready) {
        execve(launch.program.c_str(), launch.argv.data(), launch.envp.data());
    }
    const int error = errno;
    [[maybe_unused]] const ssize_t told = write(report, &error, sizeof error);
    _exit(127);
}

// Signals that would end this process wait while a child is started and
// registered, so that none escapes the clean-up.
class InterruptionsHeld {
public:
    InterruptionsHeld()
    {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
            sigaddset(&held, signal);
        }
        pthread_sigmask(SIG_BLOCK, &held, &previous_);
    }
    ~InterruptionsHeld() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    InterruptionsHeld(const InterruptionsHeld&) = delete;
    InterruptionsHeld& operator=(const InterruptionsHeld&) = delete;

private:
    sigset_t previous_{};
};

pid_t Start(const Launch& launch, Streams streams)
{
    Pipe report;
    const InterruptionsHeld held;
    const pid_t pid = fork();
    if (pid < 0) {
        throw std::system_error(errno, std::generic_category(), "cannot start " + launch.program);
    }
    if (pid == 0) {
        BecomeChild(launch, streams, report.write->get());
    }
    setpgid(pid, pid);
    platform::RegisterProcessGroup(pid);
    report.write->Close();
    int error = 0;
    ssize_t got = 0;
    while ((got = read(report.read->get(), &error, sizeof error)) < 0 && errno == EINTR) {
    }
    if (got == sizeof error) {
        while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        platform::ForgetProcessGroup(pid);
        throw std::system_error(error, std::generic_category(), "cannot start " + launch.program);
    }
    return pid;
}

void KeepTail(std::string& kept, const char* data, std::size_t size)
{
    kept.append(data, size);
    if (kept.size() > kKeptOutput) {
        kept.erase(0, kept.size() - kKeptOutput);
    }
}

// True once the child has ended; it stays unreaped, so that its process
// group id cannot be taken by another process before the group is killed.
bool HasEnded(pid_t pid)
{
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid;
}

// Reads what is there; false at the end of the output.
bool ReadSome(int fd, std::string& output)
{
    std::array<char, 4096> buffer{};
    const ssize_t got = read(fd, buffer.data(), buffer.size());
    if (got > 0) {
        KeepTail(output, buffer.data(), static_cast<std::size_t>(got));
        return true;
    }
    return got < 0 && errno == EINTR;
}

int OpenPidFd(pid_t pid)
{
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
}

// Collects output until the child ends (true) or the deadline passes (false).
bool WatchUntil(pid_t pid, int output, Clock::time_point deadline, std::string& collected)
{
    const Descriptor ended(OpenPidFd(pid));
    bool outputOpen = true;
    for (;;) {
        if (HasEnded(pid)) {
            return true;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            return false;
        }
        // Without a pid descriptor (old kernels), look again every 50 ms.
        const long long wait = ended.get() >= 0 ? left : std::min<long long>(left, 50);
        std::array<pollfd, 2> watched{{{outputOpen ? output : -1, POLLIN, 0}, {ended.get(), POLLIN, 0}}};
        const int ready = poll(watched.data(), watched.size(), static_cast<int>(std::min<long long>(wait, INT_MAX)));
        if (ready > 0 && watched[0].revents != 0) {
            outputOpen = ReadSome(output, collected);
        }
    }
}

void DrainUntil(int output, Clock::time_point deadline, std::string& collected)
{
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd watched{output, POLLIN, 0};
        if (left <= 0 || poll(&watched, 1, static_cast<int>(left)) <= 0 || !ReadSome(output, collected)) {
            return;
        }
    }
}

void Reap(pid_t pid, ChildResult& result)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    platform::ForgetProcessGroup(pid);
    if (WIFEXITED(status)) {
        result.status = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
}

}  // namespace

ChildResult RunChild(const std::vector<std::string>& argv, const ChildLimits& limits)
{
    if (platform::StepsWanted()) {
        std::string line = "run";
        for (const std::string& arg : argv) {
            line += " " + arg;
        }
        platform::ReportStep(line);
    }
    const auto deadline = Clock::now() + limits.time;
    const Launch launch = Prepare(argv, limits);
    Pipe output;
    const pid_t pid = Start(launch, {.input = -1, .output = output.write->get(), .errors = output.write->get()});
    output.write->Close();

    ChildResult result;
    result.timedOut = !WatchUntil(pid, output.read->get(), deadline, result.output);
    // Helpers left behind by a program that ended, or all of them at the limit.
    kill(-pid, SIGKILL);
    DrainUntil(output.read->get(), Clock::now() + kDrainTime, result.output);
    Reap(pid, result);
    if (result.timedOut) {
        result.status = -1;
    }
    return result;
}

ChildResult RunChild(const std::vector<std::string>& argv, std::chrono::milliseconds limit)
{
    return RunChild(argv, ChildLimits{.time = limit, .addressSpace = 0, .environment = {}});
}

RunningChild::RunningChild(const std::vector<std::string>& argv, const ChildLimits& limits)
{
    if (platform::StepsWanted()) {
        std::string line = "start";
        for (const std::string& arg : argv) {
            line += " " + arg;
        }
        platform::ReportStep(line);
    }
    const Launch launch = Prepare(argv, limits);
    std::array<int, 2> ends{};
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends.data()) != 0) {
        throw std::system_error(errno, std::generic_category(), "cannot create a socket pair");
    }
    // Both ends close on exec: only this child gets its end, as its stdin and stdout.
    socket_ = ends[0];
    const Descriptor theirs(ends[1]);
    try {
        pid_ = Start(launch, {.input = theirs.get(), .output = theirs.get(), .errors = -1});
    } catch (...) {
        Stop();
        throw;
    }
}

RunningChild::~RunningChild()
{
    Stop();
}

bool RunningChild::Send(const std::string& text)
{
    std::size_t sent = 0;
    while (sent < text.size() && socket_ >= 0) {
        // No SIGPIPE when the program is gone: the answer tells.
        const ssize_t wrote = send(socket_, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (wrote < 0 && errno != EINTR) {
            return false;
        }
        sent += wrote > 0 ? static_cast<std::size_t>(wrote) : 0;
    }
    return socket_ >= 0;
}

std::optional<std::string> RunningChild::ReadLine(Clock::time_point deadline)
{
    const Descriptor ended(pid_ >= 0 ? OpenPidFd(pid_) : -1);
    for (;;) {
        if (const std::size_t end = received_.find('\n'); end != std::string::npos) {
            std::string line = received_.substr(0, end);
            received_.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (socket_ < 0 || left <= 0 || HasEnded(pid_)) {
            return std::nullopt;
        }
        const long long wait = ended.get() >= 0 ? left : std::min<long long>(left, 50);
        std::array<pollfd, 2> watched{{{socket_, POLLIN, 0}, {ended.get(), POLLIN, 0}}};
        const int ready = poll(watched.data(), watched.size(), static_cast<int>(std::min<long long>(wait, INT_MAX)));
        if (ready > 0 && watched[0].revents != 0) {
            std::array<char, 4096> buffer{};
            const ssize_t got = read(socket_, buffer.data(), buffer.size());
            if (got == 0 || (got < 0 && errno != EINTR)) {
                return std::nullopt;
            }
            received_.append(buffer.data(), static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        }
    }
}

bool RunningChild::Ended() const
{
    return pid_ < 0 || HasEnded(pid_);
}

void RunningChild::Stop()
{
    if (socket_ >= 0) {
        close(socket_);
        socket_ = -1;
    }
    if (pid_ >= 0) {
        kill(-pid_, SIGKILL);
        ChildResult ignored;
        Reap(pid_, ignored);
        pid_ = -1;
    }
}

}  // namespace velmora::render
