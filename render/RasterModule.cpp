#include "render/RasterModule.hpp"

#include <mutex>
#include <string>
#include <vector>

#include <dlfcn.h>

#include "render/Companion.hpp"
#include "render/RenderError.hpp"

namespace velmora::render {

namespace {

constexpr const char* kModuleName = "libvelmora_raster.so";

const RasterFunctions* Load()
{
    std::string reasons;
    for (const std::filesystem::path& candidate : CompanionCandidates(kModuleName, VELMORA_RASTER_MODULE)) {
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
