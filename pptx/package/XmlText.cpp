#include "pptx/package/XmlText.hpp"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string_view>
#include <string>

#include "host/HostError.hpp"
#include "pptx/package/PartName.hpp"

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

// Writes the text while it stays small; past that only counts it, so that a
// large part is written again into a string of the size counted.
class SmallTextWriter : public pugi::xml_writer {
public:
    explicit SmallTextWriter(std::string& out) : out_(out) {}
    void write(const void* data, std::size_t size) override
    {
        bytes_ += size;
        if (bytes_ <= kLargestGrown) {
            out_.append(static_cast<const char*>(data), size);
        } else if (!out_.empty()) {
            std::string().swap(out_);
        }
    }
    bool Complete() const { return bytes_ <= kLargestGrown; }
    std::size_t Bytes() const { return bytes_; }

private:
    // A string grown as it is written takes up to three times its text at
    // once: fine for a slide of a few megabytes, not for one of hundreds.
    static constexpr std::size_t kLargestGrown = std::size_t{4} << 20;

    std::string& out_;
    std::size_t bytes_ = 0;
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

// What pugixml takes for one node and one attribute on a 64-bit machine.
constexpr std::uint64_t kNodeBytes = 64;
constexpr std::uint64_t kAttributeBytes = 40;

// Every node starts at a "<" and every attribute has its "=": at most that
// many of each, in a count that costs a small share of the parse.
std::uint64_t TreeEstimate(std::string_view bytes)
{
    const auto count = [bytes](char wanted) {
        return static_cast<std::uint64_t>(std::count(bytes.begin(), bytes.end(), wanted));
    };
    return bytes.size() + count('<') * kNodeBytes + count('=') * kAttributeBytes;
}

// The tree holds UTF-8 whatever the part was written in (UTF-16 with or
// without a byte-order mark): a declaration naming another encoding would
// mislabel the part once it is written back.
void DeclareUtf8(pugi::xml_document& document)
{
    const pugi::xml_node declaration = document.first_child();
    if (declaration.type() != pugi::node_declaration) {
        return;
    }
    if (pugi::xml_attribute encoding = declaration.attribute("encoding");
        encoding && FoldCase(encoding.value()) != "utf-8") {
        encoding.set_value("UTF-8");
    }
}

}  // namespace

std::unique_ptr<XmlDocument> ParseXml(std::string bytes, const std::string& what)
{
    return ParseXml(std::move(bytes), [&what] { return what; });
}

std::unique_ptr<XmlDocument> ParseXml(std::string bytes, const std::function<std::string()>& what)
{
    if (const std::uint64_t estimate = TreeEstimate(bytes); estimate > kLargestTree) {
        throw host::HostError(what() + " is too large to work on: its elements would take about " +
                              std::to_string(estimate >> 20) + " MiB of memory, more than the " +
                              std::to_string(kLargestTree >> 20) + " MiB a part may take");
    }
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
    DeclareUtf8(parsed->document);
    return parsed;
}

std::string SerialiseXml(const pugi::xml_document& document)
{
    constexpr unsigned kFormat = pugi::format_raw | pugi::format_no_declaration;
    std::string out;
    SmallTextWriter small(out);
    document.save(small, "", kFormat, pugi::encoding_utf8);
    if (!small.Complete()) {
        out.reserve(small.Bytes());
        StringWriter writer(out);
        document.save(writer, "", kFormat, pugi::encoding_utf8);
    }
    return out;
}

}  // namespace velmora::pptx::package
