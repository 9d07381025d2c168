#include "platform/CurlHttpClient.hpp"

#include <memory>

#include "platform/HttpModule.hpp"
#include "platform/XmlResponse.hpp"

namespace velmora::platform {

CurlHttpClient::CurlHttpClient(std::chrono::milliseconds connectLimit, std::size_t maxBody)
    : connectLimit_(connectLimit), maxBody_(maxBody)
{
}

host::HttpResponse CurlHttpClient::Get(const std::string& address, const host::HttpHeader& header,
                                       std::chrono::milliseconds limit)
{
    const HttpAnswer answer = HttpModule().get({address, header, connectLimit_, limit, maxBody_});
    return {answer.status, std::make_shared<XmlResponse>(answer.body)};
}

}  // namespace velmora::platform
