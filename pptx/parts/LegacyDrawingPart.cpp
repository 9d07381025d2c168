#include "pptx/parts/LegacyDrawingPart.hpp"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string_view>

#include "pptx/package/XmlText.hpp"
#include "pptx/xml/Elements.hpp"
#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::parts {

namespace {

constexpr std::string_view kShapePrefix = "_x0000_s";
constexpr unsigned kBlockSize = 1024;
constexpr const char* kHostControlType = "_x0000_t201";
// What a conditional block stands as while the drawing is parsed.
constexpr std::string_view kStandIn = "<velmora-kept n=\"";

std::string Points(double value)
{
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return std::string(text, error == std::errc{} ? end : text) + "pt";
}

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The style with the box's place and size, its other declarations kept.
std::string PlacedStyle(std::string_view style, const PointBox& box)
{
    std::string placed = "position:absolute;left:" + Points(box.left) + ";top:" + Points(box.top) +
                         ";width:" + Points(box.width) + ";height:" + Points(box.height);
    while (!style.empty()) {
        const auto end = std::min(style.find(';'), style.size());
        const std::string_view declaration = Trimmed(style.substr(0, end));
        const std::string_view property = Trimmed(declaration.substr(0, declaration.find(':')));
        if (!declaration.empty() && property != "position" && property != "left" && property != "top" &&
            property != "width" && property != "height" && property != "margin-left" && property != "margin-top") {
            placed += ";" + std::string(declaration);
        }
        style.remove_prefix(std::min(end + 1, style.size()));
    }
    return placed;
}

// Makes `type` the host-control shape type (201) every control shape refers to.
void DefineHostControlType(pugi::xml_node type)
{
    type.append_attribute("id") = kHostControlType;
    type.append_attribute("coordsize") = "21600,21600";
    type.append_attribute("o:spt") = "201";
    type.append_attribute("path") = "m,l,21600r21600,l21600,xe";
    type.append_child("v:stroke").append_attribute("joinstyle") = "miter";
    auto path = type.append_child("v:path");
    path.append_attribute("shadowok") = "f";
    path.append_attribute("o:extrusionok") = "f";
    path.append_attribute("strokeok") = "f";
    path.append_attribute("fillok") = "f";
    path.append_attribute("o:connecttype") = "rect";
    auto lock = type.append_child("o:lock");
    lock.append_attribute("v:ext") = "edit";
    lock.append_attribute("shapetype") = "t";
}

std::optional<unsigned> ShapeNumber(std::string_view id)
{
    if (!id.starts_with(kShapePrefix)) {
        return std::nullopt;
    }
    const std::string_view digits = id.substr(kShapePrefix.size());
    unsigned number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc{} || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return number;
}

// The numbers of an id map's data ("1", "1,3"); anything else in it is skipped.
std::vector<unsigned> ListedBlocks(std::string_view data)
{
    std::vector<unsigned> blocks;
    while (!data.empty()) {
        const std::string_view item = Trimmed(data.substr(0, data.find(',')));
        unsigned block = 0;
        const auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), block);
        if (error == std::errc{} && end == item.data() + item.size() &&
            std::find(blocks.begin(), blocks.end(), block) == blocks.end()) {
            blocks.push_back(block);
        }
        data.remove_prefix(std::min(data.find(','), data.size() - 1) + 1);
    }
    return blocks;
}

pugi::xml_node IdMap(pugi::xml_node root)
{
    return root.child("o:shapelayout").child("o:idmap");
}

// Where the conditional blocks of a drawing stand, outermost ones only: a
// block runs from "<![if ...]>" to its own "<![endif]>"; a marker outside
// any block counts as a block of its own. None when a block is left open.
std::optional<std::vector<std::pair<std::size_t, std::size_t>>> ConditionalBlocks(std::string_view text)
{
    std::vector<std::pair<std::size_t, std::size_t>> blocks;
    std::size_t start = 0;
    int depth = 0;
    for (std::size_t at = text.find("<!["); at != std::string_view::npos; at = text.find("<![", at)) {
        if (text.substr(at).starts_with("<![CDATA[")) {
            at = std::min(text.find("]]>", at), text.size());
            continue;
        }
        const std::size_t close = text.find("]>", at);
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view marker = text.substr(at, close + 2 - at);
        if (marker.starts_with("<![if")) {
            start = depth++ == 0 ? at : start;
        } else if (depth > 0 && marker.starts_with("<![endif")) {
            if (--depth == 0) {
                blocks.emplace_back(start, close + 2);
            }
        } else if (depth == 0) {
            blocks.emplace_back(at, close + 2);
        }
        at = close + 2;
    }
    if (depth > 0) {
        return std::nullopt;
    }
    return blocks;
}

}  // namespace

std::string LegacyDrawingPart::Content(unsigned block)
{
    pugi::xml_document document;
    auto root = document.append_child("xml");
    root.append_attribute("xmlns:v") = ooxml::kVmlNs;
    root.append_attribute("xmlns:o") = ooxml::kVmlOfficeNs;
    root.append_attribute("xmlns:p") = ooxml::kVmlPowerPointNs;
    auto layout = root.append_child("o:shapelayout");
    layout.append_attribute("v:ext") = "edit";
    auto idmap = layout.append_child("o:idmap");
    idmap.append_attribute("v:ext") = "edit";
    idmap.append_attribute("data") = std::to_string(block).c_str();
    DefineHostControlType(root.append_child("v:shapetype"));
    return package::SerialiseXml(document);
}

// Unclosed blocks are left in place, for the parse to report.
std::string LegacyDrawingPart::Parseable(std::string stored)
{
    kept_.clear();
    const auto blocks = ConditionalBlocks(stored);
    if (!blocks || blocks->empty()) {
        return stored;
    }
    std::string parseable;
    std::size_t copied = 0;
    for (const auto& [from, to] : *blocks) {
        parseable.append(stored, copied, from - copied);
        parseable += std::string(kStandIn) + std::to_string(kept_.size()) + "\"/>";
        kept_.push_back(stored.substr(from, to - from));
        copied = to;
    }
    parseable.append(stored, copied);
    return parseable;
}

std::string LegacyDrawingPart::Storable(std::string serialised)
{
    if (kept_.empty()) {
        return serialised;
    }
    std::string stored;
    std::size_t copied = 0;
    for (std::size_t at = serialised.find(kStandIn); at != std::string::npos; at = serialised.find(kStandIn, at)) {
        const char* digits = serialised.data() + at + kStandIn.size();
        std::size_t index = 0;
        const auto [end, error] = std::from_chars(digits, serialised.data() + serialised.size(), index);
        const std::size_t close = serialised.find("/>", at);
        if (error != std::errc{} || index >= kept_.size() || close == std::string::npos) {
            at += kStandIn.size();
            continue;
        }
        stored.append(serialised, copied, at - copied);
        stored += kept_[index];
        copied = at = close + 2;
    }
    stored.append(serialised, copied);
    return stored;
}

std::set<unsigned> LegacyDrawingPart::ShapeNumbers()
{
    std::set<unsigned> numbers;
    struct Collector : pugi::xml_tree_walker {
        std::set<unsigned>* numbers;
        bool for_each(pugi::xml_node& node) override
        {
            for (const char* attribute : {"id", "o:spid"}) {
                if (const auto number = ShapeNumber(node.attribute(attribute).value())) {
                    numbers->insert(*number);
                }
            }
            return true;
        }
    } collector;
    collector.numbers = &numbers;
    Root().traverse(collector);
    return numbers;
}

std::vector<unsigned> LegacyDrawingPart::Blocks()
{
    std::vector<unsigned> blocks = ListedBlocks(IdMap(Root()).attribute("data").value());
    if (blocks.empty()) {
        for (const unsigned number : ShapeNumbers()) {
            if (std::find(blocks.begin(), blocks.end(), number / kBlockSize) == blocks.end()) {
                blocks.push_back(number / kBlockSize);
            }
        }
    }
    return blocks;
}

std::set<unsigned> LegacyDrawingPart::BlocksInUse()
{
    const std::vector<unsigned> listed = Blocks();
    std::set<unsigned> blocks(listed.begin(), listed.end());
    for (const unsigned number : ShapeNumbers()) {
        blocks.insert(number / kBlockSize);
    }
    return blocks;
}

void LegacyDrawingPart::ClaimBlock(unsigned block)
{
    xml::EnsureNamespace(Root(), "v", ooxml::kVmlNs);
    xml::EnsureNamespace(Root(), "o", ooxml::kVmlOfficeNs);
    pugi::xml_node layout = Root().child("o:shapelayout");
    if (!layout) {
        layout = Root().prepend_child("o:shapelayout");
        layout.append_attribute("v:ext") = "edit";
    }
    pugi::xml_node idmap = layout.child("o:idmap");
    if (!idmap) {
        idmap = layout.append_child("o:idmap");
        idmap.append_attribute("v:ext") = "edit";
    }
    const std::string listed = idmap.attribute("data").value();
    const std::string data = (listed.empty() ? "" : listed + ",") + std::to_string(block);
    xml::SetAttribute(idmap, "data", data.c_str());
    Touch();
}

std::optional<unsigned> LegacyDrawingPart::FreeShapeNumber()
{
    const std::set<unsigned> used = ShapeNumbers();
    for (const unsigned block : Blocks()) {
        const unsigned first = block * kBlockSize;
        const unsigned last = first + kBlockSize - 1;
        // After the highest number of the block, as the program numbers.
        const auto above = used.upper_bound(last);
        const unsigned highest = above == used.begin() || *std::prev(above) < first ? first : *std::prev(above);
        if (highest < last) {
            return highest + 1;
        }
    }
    return std::nullopt;
}

std::string LegacyDrawingPart::AddControlShape(const PointBox& box, const std::string& pictureId)
{
    const unsigned number = FreeShapeNumber().value();
    const std::vector<unsigned> listed = ListedBlocks(IdMap(Root()).attribute("data").value());
    if (std::find(listed.begin(), listed.end(), number / kBlockSize) == listed.end()) {
        ClaimBlock(number / kBlockSize);
    }
    // Drawings of other writers may lack what the new shape refers to.
    xml::EnsureNamespace(Root(), "v", ooxml::kVmlNs);
    xml::EnsureNamespace(Root(), "o", ooxml::kVmlOfficeNs);
    if (!Root().find_child_by_attribute("v:shapetype", "id", kHostControlType)) {
        const auto layout = Root().child("o:shapelayout");
        DefineHostControlType(layout ? Root().insert_child_after("v:shapetype", layout)
                                     : Root().prepend_child("v:shapetype"));
    }
    const std::string id = std::string(kShapePrefix) + std::to_string(number);
    auto shape = Root().append_child("v:shape");
    shape.append_attribute("id") = id.c_str();
    shape.append_attribute("type") = (std::string("#") + kHostControlType).c_str();
    shape.append_attribute("style") = PlacedStyle("", box).c_str();
    shape.append_attribute("stroked") = "f";
    auto picture = shape.append_child("v:imagedata");
    picture.append_attribute("o:relid") = pictureId.c_str();
    picture.append_attribute("o:title") = "";
    Touch();
    return id;
}

void LegacyDrawingPart::PlaceShape(const std::string& shapeId, const PointBox& box)
{
    auto shape = Root().find_child_by_attribute("v:shape", "id", shapeId.c_str());
    if (!shape) {
        return;
    }
    xml::SetAttribute(shape, "style", PlacedStyle(shape.attribute("style").value(), box).c_str());
    Touch();
}

}  // namespace velmora::pptx::parts
