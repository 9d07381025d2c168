#pragma once

#include <memory>

#include "host/Services.hpp"

namespace velmora::platform {

// What a host draws itself; every other service is the platform's.
struct HostParts {
    std::shared_ptr<host::Prompts> prompts;
    // Null: the desktop's opener. The command line wraps it to record.
    std::shared_ptr<host::Shell> shell = nullptr;
    // Null: no desktop to sample, the screen picker says so.
    std::shared_ptr<host::Screen> screen = nullptr;
    std::shared_ptr<host::HostWindow> hostWindow = nullptr;
};

// The services every host hands the add-in, assembled in this one place so
// that no host runs without one the tools expect: the shared settings file,
// the host's prompts, the desktop's opener, HTTP, the system clock, the
// runtime's random numbers and the list of files written. The renderer
// comes with the document host and the fonts with their module, loaded on
// first use. Throws std::invalid_argument without prompts.
host::Services PlatformServices(HostParts parts);

}  // namespace velmora::platform
