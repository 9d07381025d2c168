#include "pptx/package/XmlText.hpp"

#include <sstream>
#include <string>

#include "host/HostError.hpp"

namespace velmora::pptx::package {

namespace {

// Keeps declarations and whitespace-only text (a lone space in a text run is content).
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata;

class StringWriter : public pugi::xml_writer {
public:
    explicit StringWriter(std::string& out) : out_(out) {}
    void write(const void* data, std::size_t size) override { out_.append(static_cast<const char*>(data), size); }

private:
    std::string& out_;
};

// The walks over timing trees, shape trees and group members recurse; the
// presentation program's own parts never nest deeper than a few dozen levels.
constexpr int kDeepestLevel = 256;

// Iterative, so that the check itself survives any depth.
bool NestsTooDeep(const pugi::xml_node root)
{
    int depth = 0;
    pugi::xml_node node = root;
    while (true) {
        if (pugi::xml_node child = node.first_child()) {
            node = child;
            if (++depth > kDeepestLevel) {
                return true;
            }
            continue;
        }
        while (node != root && !node.next_sibling()) {
            node = node.parent();
            --depth;
        }
        if (node == root) {
            return false;
        }
        node = node.next_sibling();
    }
}

}  // namespace

std::unique_ptr<XmlDocument> ParseXml(std::string bytes, const std::string& what)
{
    return ParseXml(std::move(bytes), [&what] { return what; });
}

std::unique_ptr<XmlDocument> ParseXml(std::string bytes, const std::function<std::string()>& what)
{
    auto parsed = std::make_unique<XmlDocument>();
    parsed->buffer = std::move(bytes);
    pugi::xml_parse_result result = parsed->document.load_buffer_inplace(
        parsed->buffer.data(), parsed->buffer.size(), kParseOptions, pugi::encoding_auto);
    if (!result || !parsed->document.document_element()) {
        std::ostringstream message;
        message << what() << " is not well-formed XML";
        if (!result) {
            message << " (" << result.description() << " at byte " << result.offset << ")";
        }
        throw host::HostError(message.str());
    }
    if (NestsTooDeep(parsed->document)) {
        throw host::HostError(what() + " nests elements more than " + std::to_string(kDeepestLevel) +
                              " levels deep");
    }
    return parsed;
}

std::string SerialiseXml(const pugi::xml_document& document)
{
    std::string out;
    StringWriter writer(out);
    document.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return out;
}

}  // namespace velmora::pptx::package
