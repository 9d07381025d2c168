#pragma once

#include <chrono>
#include <cstddef>
#include <string>

#include "host/XmlHttp.hpp"

namespace velmora::platform {

// HTTP GET on libcurl: http and https only (redirects too, at most five),
// a body larger than `maxBody` refused, the connection given at most
// `connectLimit` and the whole exchange the caller's limit.
class CurlHttpClient : public host::HttpClient {
public:
    static constexpr std::size_t kDefaultMaxBody = 4 * 1024 * 1024;

    explicit CurlHttpClient(std::chrono::milliseconds connectLimit = std::chrono::seconds(3),
                            std::size_t maxBody = kDefaultMaxBody);

    host::HttpResponse Get(const std::string& address, const host::HttpHeader& header,
                           std::chrono::milliseconds limit) override;

private:
    std::chrono::milliseconds connectLimit_;
    std::size_t maxBody_;
};

}  // namespace velmora::platform
