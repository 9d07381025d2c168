#pragma once

#include <filesystem>
#include <mutex>
#include <string>
#include <utility>

#include "host/HostError.hpp"

namespace velmora::platform {

// Looks for the module `fileName` among the companion candidates (`built`
// last), loads the first one the loader accepts and returns the address of
// its symbol `entry`. When none loads, returns null and `failures` tells,
// each after "; ", why for every place tried. A loaded module stays for the
// life of the process.
void* LoadModuleEntry(const std::string& fileName, const std::filesystem::path& built, const char* entry,
                      std::string& failures);

// A module whose entry point takes nothing and returns `const Functions*`,
// loaded by the first call that succeeds. Modules keep libraries that only
// some commands need out of the program, so that the others start fast.
template <typename Functions>
class SharedModule {
public:
    SharedModule(std::string fileName, std::filesystem::path built, const char* entry)
        : fileName_(std::move(fileName)), built_(std::move(built)), entry_(entry)
    {
    }

    // Null, with `failures` set, when the module cannot be loaded; a later
    // call tries again.
    const Functions* Load(std::string& failures)
    {
        const std::lock_guard lock(loading_);
        if (functions_ == nullptr) {
            using Entry = const Functions* (*)();
            if (const auto entry = reinterpret_cast<Entry>(LoadModuleEntry(fileName_, built_, entry_, failures))) {
                functions_ = entry();
            }
        }
        return functions_;
    }

    // As Load, but raises `Error` when the module cannot be loaded: `problem`
    // says what is missing and what it needs, then every place tried.
    template <typename Error = host::HostError>
    const Functions& Require(const std::string& problem)
    {
        std::string failures;
        if (const Functions* functions = Load(failures)) {
            return *functions;
        }
        throw Error(problem + failures);
    }

private:
    std::mutex loading_;
    const Functions* functions_ = nullptr;
    std::string fileName_;
    std::filesystem::path built_;
    const char* entry_;
};

}  // namespace velmora::platform
