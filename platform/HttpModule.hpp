#pragma once

#include <chrono>
#include <cstddef>
#include <string>

#include "host/XmlHttp.hpp"

namespace velmora::platform {

struct HttpRequest {
    std::string address;
    host::HttpHeader header;
    std::chrono::milliseconds connectLimit;
    std::chrono::milliseconds limit;
    std::size_t maxBody = 0;
};

struct HttpAnswer {
    int status = 0;
    std::string body;
};

// What the HTTP module (libcurl) offers. It is loaded on the first request
// only, so that commands which never go online do not map libcurl and the
// TLS and directory libraries it brings.
struct HttpFunctions {
    // A GET as CurlHttpClient describes it; raises the host error when no
    // answer came.
    HttpAnswer (*get)(const HttpRequest& request);
};

// Loads the module on the first call; raises the host error when it cannot.
const HttpFunctions& HttpModule();

}  // namespace velmora::platform

// The module's one exported symbol.
extern "C" const velmora::platform::HttpFunctions* velmora_http_functions();
