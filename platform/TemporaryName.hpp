#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "host/Services.hpp"

namespace velmora::platform {

// folder / ("tmp" + N), N a whole number below `range` drawn from the
// runtime's generator after seeding it from the clock, such that no entry
// named so plus any of `suffixes` ("" for the name itself) exists yet: a
// temporary file or folder must never take over the user's own.
std::filesystem::path UnusedTemporaryName(host::Random& random, const std::filesystem::path& folder, int range,
                                          const std::vector<std::string>& suffixes = {""});

}  // namespace velmora::platform
