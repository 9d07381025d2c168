#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "host/Services.hpp"

namespace velmora::platform {

// folder / ("tmp" + N), N a whole number below `range` drawn from the
// runtime's generator after seeding it from the clock, such that no entry
// named so plus any of `suffixes` ("" for the name itself) exists yet: a
// temporary file or folder must never take over the user's own. While the
// object lives, a hidden record beside the names (".~velmora-tmpN#", locked,
// naming this process and the suffixes) holds them for this run: they are
// removed when the run is interrupted, and by a later run once this process
// is gone without removing them (killed). Their maker removes them as usual.
class TemporaryName {
public:
    TemporaryName(host::Random& random, const std::filesystem::path& folder, int range,
                  const std::vector<std::string>& suffixes = {""});
    ~TemporaryName();
    TemporaryName(const TemporaryName&) = delete;
    TemporaryName& operator=(const TemporaryName&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    bool Reserve(const std::filesystem::path& name, const std::vector<std::string>& suffixes);

    std::filesystem::path path_;
    std::filesystem::path record_;
    std::vector<std::filesystem::path> names_;
    int lock_ = -1;
};

}  // namespace velmora::platform
