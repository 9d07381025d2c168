#pragma once

#include <cstdint>
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

// The most memory one part's parsed tree may take, text included. A part
// edited by a tool may need several times its tree; so that a job stays
// within a machine's memory, a part whose tree would pass this is refused
// before it is parsed. Real slides take a few megabytes.
inline constexpr std::uint64_t kLargestTree = std::uint64_t{512} << 20;

// Parses `bytes` (moved into the result); raises the host error naming
// `what` (an entry and its file) when the text is not well-formed or its
// tree would take more than kLargestTree.
std::unique_ptr<XmlDocument> ParseXml(std::string bytes, const std::string& what);
// The same with the name made only for the error: parts are parsed by the
// thousand, and fail rarely.
std::unique_ptr<XmlDocument> ParseXml(std::string bytes, const std::function<std::string()>& what);

// The document as file content, without reformatting.
std::string SerialiseXml(const pugi::xml_document& document);

}  // namespace velmora::pptx::package
