#include "platform/curl/CurlGet.hpp"

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include <curl/curl.h>

#include "host/HostError.hpp"

namespace velmora::platform {
namespace {

struct EasyDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

struct Body {
    std::string bytes;
    std::size_t limit = 0;
    bool tooLarge = false;
};

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* target)
{
    auto& body = *static_cast<Body*>(target);
    const std::size_t length = size * count;
    if (body.bytes.size() + length > body.limit) {
        body.tooLarge = true;
        return 0;  // makes curl stop with a write error
    }
    body.bytes.append(data, length);
    return length;
}

// curl_global_init is not thread-safe; run it once, before the first handle.
void InitialiseCurl()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

long Milliseconds(std::chrono::milliseconds duration)
{
    return static_cast<long>(std::max<std::chrono::milliseconds::rep>(duration.count(), 1));
}

// The add-in leaves spaces in its addresses (the translation request's
// keywords); on the wire, they and every byte that cannot stand in a request
// line are percent-encoded, as the platform's request object did.
std::string WireAddress(const std::string& address)
{
    constexpr const char* hex = "0123456789ABCDEF";
    std::string wire;
    for (const char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) {
            wire += '%';
            wire += hex[byte >> 4];
            wire += hex[byte & 0xF];
        } else {
            wire += c;
        }
    }
    return wire;
}

}  // namespace

HttpAnswer CurlGet(const HttpRequest& request)
{
    InitialiseCurl();
    const std::unique_ptr<CURL, EasyDeleter> curl(curl_easy_init());
    if (!curl) {
        throw host::HostError("cannot create an HTTP request");
    }
    const std::string headerLine = request.header.name + ": " + request.header.value;
    const std::unique_ptr<curl_slist, ListDeleter> headers(curl_slist_append(nullptr, headerLine.c_str()));
    Body body{"", request.maxBody, false};

    CURL* handle = curl.get();
    const std::string wire = WireAddress(request.address);
    curl_easy_setopt(handle, CURLOPT_URL, wire.c_str());
    curl_easy_setopt(handle, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, Milliseconds(std::min(request.connectLimit, request.limit)));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, Milliseconds(request.limit));
    curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(request.maxBody));
    // Time-outs by signal would reach the whole process; the threaded
    // resolver keeps name lookups under the limit without them.
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &Collect);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &body);

    const CURLcode result = curl_easy_perform(handle);
    if (body.tooLarge || result == CURLE_FILESIZE_EXCEEDED) {
        throw host::HostError(request.address + ": the answer is larger than " + std::to_string(request.maxBody) +
                              " bytes");
    }
    if (result != CURLE_OK) {
        throw host::HostError(request.address + ": " + curl_easy_strerror(result));
    }
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    return {static_cast<int>(status), std::move(body.bytes)};
}

}  // namespace velmora::platform
