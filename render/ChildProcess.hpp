#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace velmora::render {

struct ChildResult {
    int status = -1;        // exit status; -1 when a signal ended the program
    bool timedOut = false;  // killed at the time limit
    std::string output;     // standard output and error together, the last few kilobytes
};

// Runs a program (looked up on PATH when it has no slash) from an argument
// vector, never through a shell, with stdin from /dev/null. The program gets a
// process group of its own, so that at the time limit its helpers die with it.
// Throws std::system_error when the program cannot be started.
ChildResult RunChild(const std::vector<std::string>& argv, std::chrono::milliseconds limit);

}  // namespace velmora::render
