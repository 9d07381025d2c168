// The HTTP module's entry point: the only symbol the program looks up.
#include "platform/HttpModule.hpp"
#include "platform/curl/CurlGet.hpp"

namespace {

const velmora::platform::HttpFunctions kFunctions{velmora::platform::CurlGet};

}  // namespace

extern "C" __attribute__((visibility("default"))) const velmora::platform::HttpFunctions* velmora_http_functions()
{
    return &kFunctions;
}
