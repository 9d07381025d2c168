#include "tests/support/Process.hpp"

#include <array>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace velmora::testing {

namespace {

struct Pipe {
    int read = -1;
    int write = -1;
    Pipe()
    {
        std::array<int, 2> fds{};
        if (pipe2(fds.data(), O_CLOEXEC) != 0) {
            throw std::runtime_error("pipe failed");
        }
        read = fds[0];
        write = fds[1];
    }
};

void Drain(std::array<pollfd, 2>& fds, std::array<std::string*, 2> sinks, std::chrono::steady_clock::time_point end)
{
    std::array<char, 65536> buffer{};
    while (fds[0].fd >= 0 || fds[1].fd >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0 || poll(fds.data(), fds.size(), static_cast<int>(left.count())) <= 0) {
            return;
        }
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) {
                continue;
            }
            const ssize_t got = ::read(fds[i].fd, buffer.data(), buffer.size());
            if (got > 0) {
                sinks[i]->append(buffer.data(), static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                close(fds[i].fd);
                fds[i].fd = -1;
            }
        }
    }
}

// This process's environment with `changes` applied, as "NAME=value" texts.
std::vector<std::string> Environment(const std::map<std::string, std::string>& changes)
{
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text(*entry);
        if (!changes.contains(text.substr(0, text.find('=')))) {
            entries.push_back(text);
        }
    }
    for (const auto& [name, value] : changes) {
        entries.push_back(name + "=" + value);
    }
    return entries;
}

std::vector<char*> Pointers(const std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (const std::string& text : texts) {
        pointers.push_back(const_cast<char*>(text.c_str()));
    }
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, std::chrono::seconds limit,
                         const std::map<std::string, std::string>& environment)
{
    Pipe out;
    Pipe err;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out.write, 1);
    posix_spawn_file_actions_adddup2(&actions, err.write, 2);

    std::vector<char*> args = Pointers(argv);
    const std::vector<std::string> variables = Environment(environment);
    std::vector<char*> envp = Pointers(variables);

    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out.write);
    close(err.write);

    ProcessResult result;
    if (spawned != 0) {
        close(out.read);
        close(err.read);
        result.err = "cannot start " + argv.front();
        return result;
    }
    std::array<pollfd, 2> fds{{{out.read, POLLIN, 0}, {err.read, POLLIN, 0}}};
    Drain(fds, {&result.out, &result.err}, std::chrono::steady_clock::now() + limit);
    for (const pollfd& fd : fds) {
        if (fd.fd >= 0) {
            close(fd.fd);
            kill(pid, SIGKILL);
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

int StartProcess(const std::vector<std::string>& argv, const std::map<std::string, std::string>& environment)
{
    std::vector<char*> args = Pointers(argv);
    const std::vector<std::string> variables = Environment(environment);
    std::vector<char*> envp = Pointers(variables);
    pid_t pid = 0;
    return posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), envp.data()) == 0 ? pid : -1;
}

std::string OwnMaps()
{
    std::ifstream in("/proc/self/maps");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace velmora::testing
