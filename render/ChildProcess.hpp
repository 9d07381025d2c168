#pragma once

#include <chrono>
#include <cstdint>
#include <map>
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

}  // namespace velmora::render
