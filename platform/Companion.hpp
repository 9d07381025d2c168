#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace velmora::platform {

// Where a file that ships with our programs (a module, a helper program) may
// be: beside the running program, in its ../lib/velmora, beside the shared
// object holding this code when it is not the program, then where the build
// put it. In that order; not checked for existence.
std::vector<std::filesystem::path> CompanionCandidates(const std::string& name, const std::filesystem::path& built);

}  // namespace velmora::platform
