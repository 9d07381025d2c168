#include "platform/Companion.hpp"

#include <system_error>

namespace velmora::platform {

namespace {

std::filesystem::path OwnFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

}  // namespace

std::vector<std::filesystem::path> CompanionCandidates(const std::string& name, const std::filesystem::path& built)
{
    std::vector<std::filesystem::path> candidates;
    if (const std::filesystem::path own = OwnFolder(); !own.empty()) {
        candidates.push_back(own / name);
        candidates.push_back(own.parent_path() / "lib" / "velmora" / name);
    }
    candidates.push_back(built);
    return candidates;
}

}  // namespace velmora::platform
