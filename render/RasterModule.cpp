#include "render/RasterModule.hpp"

#include <mutex>
#include <string>
#include <vector>

#include <dlfcn.h>
#include <unistd.h>

#include "render/RenderError.hpp"

namespace velmora::render {

namespace {

constexpr const char* kModuleName = "libvelmora_raster.so";

std::filesystem::path OwnFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

// Beside the program, in its ../lib/velmora, then where the build put it.
std::vector<std::filesystem::path> Candidates()
{
    std::vector<std::filesystem::path> candidates;
    if (const std::filesystem::path own = OwnFolder(); !own.empty()) {
        candidates.push_back(own / kModuleName);
        candidates.push_back(own.parent_path() / "lib" / "velmora" / kModuleName);
    }
    candidates.emplace_back(VELMORA_RASTER_MODULE);
    return candidates;
}

const RasterFunctions* Load()
{
    std::string reasons;
    for (const std::filesystem::path& candidate : Candidates()) {
        if (!std::filesystem::exists(candidate)) {
            continue;
        }
        void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            reasons += std::string("; ") + dlerror();
            continue;
        }
        using Entry = const RasterFunctions* (*)();
        const auto entry = reinterpret_cast<Entry>(dlsym(module, "velmora_raster_functions"));
        if (entry != nullptr) {
            return entry();
        }
        reasons += "; " + candidate.string() + " has no entry point";
    }
    throw RenderError(std::string("the slide picture module ") + kModuleName +
                      " cannot be loaded (poppler and libvips are needed: apt-get install libpoppler-cpp0v5 "
                      "libvips42)" + reasons);
}

}  // namespace

const RasterFunctions& RasterModule()
{
    // Kept for the life of the process: pictures may be made at any time.
    static std::mutex loading;
    static const RasterFunctions* functions = nullptr;
    const std::lock_guard lock(loading);
    if (functions == nullptr) {
        functions = Load();
    }
    return *functions;
}

}  // namespace velmora::render
