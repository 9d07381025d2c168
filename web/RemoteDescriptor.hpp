#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "host/Services.hpp"
#include "host/XmlHttp.hpp"

namespace velmora::web {

inline constexpr const char* kDescriptorPath = "/ppt/VelmoraXML.xml";
inline constexpr const char* kProductName = "Velmora";
// The running version, as the descriptor's versions read once prefixed "V".
inline constexpr const char* kRunningVersion = "V2.0";
// The header every request of the add-in carries.
inline const host::HttpHeader kXmlRequestHeader{"Content-Type", "text/xml;charset=UTF-8"};
// The add-in polled a request every 200 ms; here the polls are the request's
// time limit.
inline constexpr std::chrono::milliseconds kPollInterval{200};

// The remote descriptor from the update server, waiting at most `polls`
// polls; none when no answer came or the status is not 200. Never raises.
std::shared_ptr<const host::XmlDocument> FetchDescriptor(const host::Services& services, int polls);

// Item i of the node list `path` ("/Data/AppData/Version") for the first
// record i whose AppName is this product's; none when no record is, or that
// record's list has no item i.
std::optional<std::string> ProductField(const host::XmlDocument& descriptor, const std::string& path);

}  // namespace velmora::web
