#include "pptx/package/OutsideReferences.hpp"

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/HostError.hpp"
#include "pptx/package/Gzip.hpp"
#include "pptx/package/PartGraph.hpp"
#include "pptx/package/PartName.hpp"
#include "pptx/package/XmlText.hpp"

namespace velmora::pptx::package {

namespace {

constexpr std::string_view kSvgType = "image/svg+xml";
constexpr std::string_view kEmptySvg = R"(<svg xmlns="http://www.w3.org/2000/svg"/>)";
constexpr std::size_t kHeadBytes = 512;
// How far into an XML part an svg element is looked for: renderers look
// into the first few kilobytes.
constexpr std::size_t kSvgSearchBytes = 64 << 10;
// A packed picture that unpacks to more is not looked into but emptied.
constexpr std::size_t kMostUnpacked = std::size_t{128} << 20;

std::string_view Trimmed(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(" \t\r\n\"'");
    if (start == std::string_view::npos) {
        return {};
    }
    return text.substr(start, text.find_last_not_of(" \t\r\n\"'") + 1 - start);
}

// A fragment of the picture itself, or a picture carried in the address;
// a nested SVG picture could name outside files of its own.
bool StaysInside(std::string_view reference)
{
    const std::string folded = FoldCase(Trimmed(reference));
    if (folded.starts_with('#')) {
        return true;
    }
    return folded.starts_with("data:") && folded.find("svg") == std::string::npos &&
           folded.find("xml") == std::string::npos;
}

bool IsHref(std::string_view name)
{
    return name == "href" || (name.size() > 5 && name.ends_with(":href"));
}

// Each url(...) that leaves the picture becomes url(#), which draws nothing.
bool DropOutsideUrls(std::string& text)
{
    const std::string folded = FoldCase(text);
    std::string kept;
    std::size_t copied = 0;
    for (std::size_t at = folded.find("url("); at != std::string::npos; at = folded.find("url(", at + 4)) {
        const std::size_t open = at + 4;
        const std::size_t end = std::min(folded.find(')', open), folded.size());
        if (StaysInside(std::string_view(text).substr(open, end - open))) {
            continue;
        }
        kept.append(text, copied, open - copied);
        kept += '#';
        copied = end;
    }
    if (copied == 0) {
        return false;
    }
    kept.append(text, copied);
    text = std::move(kept);
    return true;
}

bool DropOutsideUrls(pugi::xml_node node)
{
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
        std::string text = node.value();
        if (!DropOutsideUrls(text)) {
            return false;
        }
        node.set_value(text.c_str());
        return true;
    }
    return false;
}

class ReferenceDropper : public pugi::xml_tree_walker {
public:
    bool for_each(pugi::xml_node& node) override
    {
        // Style sheets live in text.
        changed_ = DropOutsideUrls(node) || changed_;
        for (pugi::xml_attribute attribute = node.first_attribute(); attribute;) {
            const pugi::xml_attribute next = attribute.next_attribute();
            std::string value = attribute.value();
            if (IsHref(attribute.name()) && !StaysInside(value)) {
                node.remove_attribute(attribute);
                changed_ = true;
            } else if (DropOutsideUrls(value)) {
                attribute.set_value(value.c_str());
                changed_ = true;
            }
            attribute = next;
        }
        return true;
    }
    bool Changed() const { return changed_; }

private:
    bool changed_ = false;
};

// The start of a text in XML, past a byte-order mark and white space, in
// UTF-8 or either UTF-16.
bool StartsLikeXml(std::string_view head)
{
    for (const std::string_view mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
        if (head.starts_with(mark)) {
            head.remove_prefix(mark.size());
            break;
        }
    }
    const std::size_t start = head.find_first_not_of(std::string_view(" \t\r\n\0", 5));
    return start != std::string_view::npos && head[start] == '<';
}

// A part the format defines is XML too; it is drawn as SVG only when it
// holds an svg element where a renderer looks for one. Bytes of nothing are
// left out, so that UTF-16 text reads as ASCII.
bool MentionsSvg(std::string_view head)
{
    std::string text(head);
    std::erase(text, '\0');
    return FoldCase(text).find("<svg") != std::string::npos;
}

// Renderers tell a picture's format by its bytes, not by the type the
// package declares: an SVG picture declared as PNG or as an XML part is
// drawn as SVG all the same.
bool MayBeSvg(Package& package, const std::string& part, std::string_view head)
{
    const std::string type = package.Types().TypeOf(part);
    const std::string extension = Extension(part);
    if (type == kSvgType || extension == "svg" || extension == "svgz") {
        return true;
    }
    if (type.ends_with("xml")) {
        return MentionsSvg(package.Head(part, kSvgSearchBytes));
    }
    return StartsLikeXml(head);
}

// The picture without outside references; nothing when it has none.
std::optional<std::string> WithoutOutsideReferences(std::string content, const std::function<std::string()>& name)
{
    // A document type may declare entities that load files; the tree is
    // written without it.
    const bool declaresType = FoldCase(content).find("<!doctype") != std::string::npos;
    std::unique_ptr<XmlDocument> svg;
    try {
        svg = ParseXml(std::move(content), name);
    } catch (const host::HostError&) {
        return std::string(kEmptySvg);
    }
    ReferenceDropper dropper;
    svg->document.traverse(dropper);
    if (!dropper.Changed() && !declaresType) {
        return std::nullopt;
    }
    return SerialiseXml(svg->document);
}

// A packed part is judged by what it unpacks to, whatever its type: SVG
// packed with gzip is drawn as SVG, under a metafile's type too. One that
// cannot be unpacked here cannot be looked into, and is emptied.
std::optional<std::string> PackedWithoutOutsideReferences(Package& package, const std::string& part)
{
    const std::optional<std::string> unpacked = Gunzip(package.Read(part), kMostUnpacked);
    if (!unpacked) {
        return std::string(kEmptySvg);
    }
    if (!StartsLikeXml(std::string_view(*unpacked).substr(0, kHeadBytes))) {
        return std::nullopt;  // a packed metafile
    }
    const std::optional<std::string> safe = WithoutOutsideReferences(*unpacked, [&] { return package.Describe(part); });
    return safe ? std::optional<std::string>(Gzip(*safe)) : std::nullopt;
}

// The part as it may go to the renderer; nothing when it may go as it is.
std::optional<std::string> SafeForRenderer(Package& package, const std::string& part)
{
    const std::string head = package.Head(part, kHeadBytes);
    if (LooksGzipped(head)) {
        return PackedWithoutOutsideReferences(package, part);
    }
    if (!MayBeSvg(package, part, head)) {
        return std::nullopt;
    }
    return WithoutOutsideReferences(package.Read(part), [&] { return package.Describe(part); });
}

}  // namespace

int DropOutsideReferences(Package& package)
{
    int changed = 0;
    for (const std::string& part : ReachableParts(package)) {
        if (part == "/") {
            continue;
        }
        if (std::optional<std::string> safe = SafeForRenderer(package, part)) {
            package.Write(part, std::move(*safe));
            ++changed;
        }
    }
    return changed;
}

}  // namespace velmora::pptx::package
