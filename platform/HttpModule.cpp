#include "platform/HttpModule.hpp"

#include "platform/SharedModule.hpp"

namespace velmora::platform {

const HttpFunctions& HttpModule()
{
    static SharedModule<HttpFunctions> module("libvelmora_http.so", VELMORA_HTTP_MODULE, "velmora_http_functions");
    return module.Require(
        "the web request module libvelmora_http.so cannot be loaded (libcurl is needed: apt-get install libcurl4)");
}

}  // namespace velmora::platform
