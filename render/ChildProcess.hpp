#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velmora::render {

struct ChildResult {
    int status = -1;        // exit status; -1 when a signal ended the program
    int signal = 0;         // the signal that ended it, 0 when it exited
    bool timedOut = false;  // killed at the time limit
    std::string output;     // standard output and error together, the last few kilobytes
};

struct ChildLimits {
    std::chrono::milliseconds time{std::chrono::minutes(3)};
    std::uint64_t addressSpace = 0;  // bytes the program and its helpers may map each; 0 for no limit
    std::map<std::string, std::string> environment;  // set on top of ours
};

// Runs a program (looked up on PATH when it has no slash) from an argument
// vector, never through a shell, with stdin from /dev/null. The program gets a
// process group of its own: when it ends, at the time limit, or when this
// process is interrupted, the whole group is killed, so no helper outlives it.
// The time limit covers the program's whole life, not only its output.
// Throws std::system_error when the program cannot be started.
ChildResult RunChild(const std::vector<std::string>& argv, const ChildLimits& limits);
ChildResult RunChild(const std::vector<std::string>& argv, std::chrono::milliseconds limit);

// The program's path: `name` itself when it has a slash, else found on PATH.
// Throws std::system_error when there is none.
std::string FindProgram(const std::string& name);

// A program kept running to answer requests line by line, with one socket as
// its stdin and stdout and its stderr going nowhere. Its process group is
// killed as RunChild's is: when the object goes, on Stop, or when this
// process is interrupted. The caller sets a deadline per answer;
// `limits.time` is not used.
class RunningChild {
public:
    // Throws std::system_error when the program cannot be started.
    RunningChild(const std::vector<std::string>& argv, const ChildLimits& limits);
    ~RunningChild();
    RunningChild(const RunningChild&) = delete;
    RunningChild& operator=(const RunningChild&) = delete;

    // False when the program is gone.
    bool Send(const std::string& text);
    // The next line, without its end; none once the program has ended or
    // closed its output, or at the deadline.
    std::optional<std::string> ReadLine(std::chrono::steady_clock::time_point deadline);
    // Whether the program has ended (or was stopped).
    bool Ended() const;
    void Stop();

private:
    int pid_ = -1;
    int socket_ = -1;
    std::string received_;
};

}  // namespace velmora::render
