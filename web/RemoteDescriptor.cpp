#include "web/RemoteDescriptor.hpp"

#include "host/HostError.hpp"
#include "web/Endpoints.hpp"

namespace velmora::web {

std::shared_ptr<const host::XmlDocument> FetchDescriptor(const host::Services& services, int polls)
{
    if (!services.http) {
        return nullptr;
    }
    host::HttpResponse response;
    const std::string address = EndpointAddress(services, Endpoint::UpdateServer) + kDescriptorPath;
    if (host::Suppressed([&] { response = services.http->Get(address, kXmlRequestHeader, kPollInterval * polls); }) ||
        response.Status != 200) {
        return nullptr;
    }
    return response.responseXML;
}

std::optional<std::string> ProductField(const host::XmlDocument& descriptor, const std::string& path)
{
    // Records are matched by position across the lists, as the add-in always did.
    const std::size_t records = descriptor.SelectNodes("/Data/AppData").size();
    const std::vector<std::string> names = descriptor.SelectNodes("/Data/AppData/AppName");
    for (std::size_t i = 0; i < records && i < names.size(); ++i) {
        if (names[i] == kProductName) {
            const std::vector<std::string> values = descriptor.SelectNodes(path);
            return i < values.size() ? std::optional(values[i]) : std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace velmora::web
