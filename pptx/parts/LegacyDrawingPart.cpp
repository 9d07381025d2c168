#include "pptx/parts/LegacyDrawingPart.hpp"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "pptx/package/XmlText.hpp"
#include "pptx/xml/Elements.hpp"
#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::parts {

namespace {

constexpr std::string_view kShapePrefix = "_x0000_s";
// Shape ids of drawing block 1, the block the drawing's id map claims.
constexpr unsigned kFirstShapeNumber = 1025;
constexpr const char* kHostControlType = "_x0000_t201";

std::string Points(double value)
{
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return std::string(text, error == std::errc{} ? end : text) + "pt";
}

// The style with the box's place and size, its other declarations kept.
std::string PlacedStyle(std::string_view style, const PointBox& box)
{
    std::string placed = "position:absolute;left:" + Points(box.left) + ";top:" + Points(box.top) +
                         ";width:" + Points(box.width) + ";height:" + Points(box.height);
    while (!style.empty()) {
        const auto end = std::min(style.find(';'), style.size());
        const std::string_view declaration = style.substr(0, end);
        const std::string_view property = declaration.substr(0, declaration.find(':'));
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

}  // namespace

std::string LegacyDrawingPart::Content()
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
    idmap.append_attribute("data") = "1";
    DefineHostControlType(root.append_child("v:shapetype"));
    return package::SerialiseXml(document);
}

unsigned LegacyDrawingPart::NextShapeNumber()
{
    unsigned highest = kFirstShapeNumber - 1;
    for (auto shape : Root().children("v:shape")) {
        const std::string_view id = shape.attribute("id").value();
        unsigned number = 0;
        if (id.substr(0, kShapePrefix.size()) == kShapePrefix) {
            const std::string_view digits = id.substr(kShapePrefix.size());
            std::from_chars(digits.data(), digits.data() + digits.size(), number);
        }
        highest = std::max(highest, number);
    }
    return highest + 1;
}

std::string LegacyDrawingPart::AddControlShape(const PointBox& box, const std::string& pictureId)
{
    // Drawings of other writers may lack what the new shape refers to.
    xml::EnsureNamespace(Root(), "v", ooxml::kVmlNs);
    xml::EnsureNamespace(Root(), "o", ooxml::kVmlOfficeNs);
    if (!Root().find_child_by_attribute("v:shapetype", "id", kHostControlType)) {
        const auto layout = Root().child("o:shapelayout");
        DefineHostControlType(layout ? Root().insert_child_after("v:shapetype", layout)
                                     : Root().prepend_child("v:shapetype"));
    }
    const std::string id = std::string(kShapePrefix) + std::to_string(NextShapeNumber());
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

}  // namespace velmora::pptx::parts

namespace velmora::pptx::parts {

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
