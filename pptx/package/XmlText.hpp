#pragma once

#include <functional>
#include <memory>
#include <string>

#include <pugixml.hpp>

namespace velmora::pptx::package {

// A parsed XML document together with the buffer pugixml parsed in place.
struct XmlDocument {
    std::string buffer;
    pugi::xml_document document;
};

// Parses `bytes` (moved into the result); raises the host error naming
// `what` (an entry and its file) when the text is not well-formed.
std::unique_ptr<XmlDocument> ParseXml(std::string bytes, const std::string& what);
// The same with the name made only for the error: parts are parsed by the
// thousand, and fail rarely.
std::unique_ptr<XmlDocument> ParseXml(std::string bytes, const std::function<std::string()>& what);

// The document as file content, without reformatting.
std::string SerialiseXml(const pugi::xml_document& document);

}  // namespace velmora::pptx::package
