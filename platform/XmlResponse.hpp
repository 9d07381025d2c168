#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "host/XmlHttp.hpp"

namespace velmora::platform {

// An HTTP response body parsed with pugixml; a body that does not parse
// leaves the document empty, as the platform's request object does.
class XmlResponse : public host::XmlDocument {
public:
    explicit XmlResponse(std::string_view body);

    // A node's text is the text it holds (all of its descendants' for an
    // element), without the white space around it.
    std::vector<std::string> SelectNodes(const std::string& path) const override;

private:
    pugi::xml_document document_;
};

}  // namespace velmora::platform
