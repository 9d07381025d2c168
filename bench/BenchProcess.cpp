#include "bench/BenchProcess.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace velmora::bench {

namespace {

std::vector<char*> Argv(std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    return argv;
}

[[noreturn]] void Failed(const std::vector<std::string>& args)
{
    std::fprintf(stderr, "%s %s failed\n", args.front().c_str(), args.size() > 1 ? args[1].c_str() : "");
    std::exit(1);
}

double HighWaterMiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) {
            return std::stod(line.substr(6)) / 1024;
        }
    }
    return 0;
}

}  // namespace

ProcessRun RunProgram(std::vector<std::string> args, bool failureExpected)
{
    std::vector<char*> argv = Argv(args);
    // Its messages would only clutter the figures.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    // What earlier runs left to write goes to disk first: a run that syncs
    // its own file must not wait for another program's writes.
    sync();
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    int status = 0;
    rusage usage{};
    const int spawned = posix_spawn(&child, argv.front(), &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        (WEXITSTATUS(status) != 0 && !failureExpected)) {
        Failed(args);
    }
    auto milliseconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1000 + static_cast<double>(t.tv_usec) / 1000;
    };
    return {std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(),
            milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime), static_cast<double>(usage.ru_maxrss) / 1024,
            WEXITSTATUS(status)};
}

double OwnPeakMiB(std::vector<std::string> args)
{
    std::vector<char*> argv = Argv(args);
    pid_t child = 0;
    if (posix_spawn(&child, argv.front(), nullptr, nullptr, argv.data(), environ) != 0) {
        Failed(args);
    }
    double peak = 0;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        peak = std::max(peak, HighWaterMiB(child));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        Failed(args);
    }
    return peak;
}

}  // namespace velmora::bench
