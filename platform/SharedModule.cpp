#include "platform/SharedModule.hpp"

#include <dlfcn.h>

#include "platform/Companion.hpp"

namespace velmora::platform {

void* LoadModuleEntry(const std::string& fileName, const std::filesystem::path& built, const char* entry,
                      std::string& failures)
{
    failures.clear();
    for (const std::filesystem::path& candidate : CompanionCandidates(fileName, built)) {
        // Local, so that the libraries a module brings never stand in for
        // symbols of the program or of another module.
        void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            failures += std::string("; ") + dlerror();
            continue;
        }
        if (void* address = dlsym(module, entry)) {
            return address;
        }
        failures += "; " + candidate.string() + " has no " + entry;
        dlclose(module);
    }
    return nullptr;
}

}  // namespace velmora::platform
