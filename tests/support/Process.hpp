#pragma once

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace velmora::testing {

struct ProcessResult {
    int status = -1;  // exit status, or -1 when killed or not started
    std::string out;
    std::string err;
};

// Runs a program with an argument vector (no shell), stdin closed and this
// process's environment changed by `environment`, and collects its output; a
// program still running after `limit` is killed.
ProcessResult RunProcess(const std::vector<std::string>& argv,
                         std::chrono::seconds limit = std::chrono::seconds(300),
                         const std::map<std::string, std::string>& environment = {});

// Starts a program in the background with an argument vector (no shell) and
// this process's environment changed by `environment`; its process id, or -1
// when it could not be started. The caller waits for it.
int StartProcess(const std::vector<std::string>& argv, const std::map<std::string, std::string>& environment = {});

// What this process has mapped (/proc/self/maps): shows which libraries the
// loader has brought in so far.
std::string OwnMaps();

}  // namespace velmora::testing
