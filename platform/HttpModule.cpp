#include "platform/HttpModule.hpp"

#include "host/HostError.hpp"
#include "platform/SharedModule.hpp"

namespace velmora::platform {

const HttpFunctions& HttpModule()
{
    static SharedModule<HttpFunctions> module("libvelmora_http.so", VELMORA_HTTP_MODULE, "velmora_http_functions");
    std::string failures;
    if (const HttpFunctions* functions = module.Load(failures)) {
        return *functions;
    }
    throw host::HostError(
        "the web request module libvelmora_http.so cannot be loaded (libcurl is needed: apt-get install libcurl4)" +
        failures);
}

}  // namespace velmora::platform
