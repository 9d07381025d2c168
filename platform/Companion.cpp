#include "platform/Companion.hpp"

#include <dlfcn.h>

#include <system_error>

namespace velmora::platform {

namespace {

std::filesystem::path OwnFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

// The folder of the shared object holding this code, when that is not the
// program: the Impress extension brings its modules beside itself.
std::filesystem::path LibraryFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&LibraryFolder), &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    return std::filesystem::path(info.dli_fname).parent_path();
}

}  // namespace

std::vector<std::filesystem::path> CompanionCandidates(const std::string& name, const std::filesystem::path& built)
{
    std::vector<std::filesystem::path> candidates;
    if (const std::filesystem::path own = OwnFolder(); !own.empty()) {
        candidates.push_back(own / name);
        candidates.push_back(own.parent_path() / "lib" / "velmora" / name);
    }
    if (const std::filesystem::path library = LibraryFolder(); library.is_absolute() && library != OwnFolder()) {
        candidates.push_back(library / name);
    }
    candidates.push_back(built);
    return candidates;
}

}  // namespace velmora::platform
