#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace velmora::testing {

struct ChildOutcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a program with the given arguments, no standard input and the
// environment of this process changed by `environment`; collects its output
// through files in `scratch`.
ChildOutcome RunChild(const std::vector<std::string>& arguments, const std::filesystem::path& scratch,
                      const std::map<std::string, std::string>& environment = {});

}  // namespace velmora::testing
