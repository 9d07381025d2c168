#include "platform/PlatformServices.hpp"

#include <stdexcept>

#include "platform/CurlHttpClient.hpp"
#include "platform/FileSettingsStore.hpp"
#include "platform/RuntimeRandom.hpp"
#include "platform/SystemClock.hpp"
#include "platform/XdgShell.hpp"

namespace velmora::platform {

host::Services PlatformServices(HostParts parts)
{
    if (!parts.prompts) {
        throw std::invalid_argument("a host must say how it asks the user: no prompts given");
    }
    host::Services services;
    services.settings = std::make_shared<FileSettingsStore>();
    services.prompts = std::move(parts.prompts);
    services.shell = parts.shell ? std::move(parts.shell) : std::make_shared<XdgShell>();
    services.clock = std::make_shared<SystemClock>();
    services.random = std::make_shared<RuntimeRandom>();
    services.written = std::make_shared<host::WrittenFiles>();
    services.http = std::make_shared<CurlHttpClient>();
    services.screen = std::move(parts.screen);
    services.hostWindow = std::move(parts.hostWindow);
    return services;
}

}  // namespace velmora::platform
