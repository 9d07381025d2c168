#include "pptx/parts/CustomPropertiesPart.hpp"

#include <algorithm>
#include <string_view>

namespace velmora::pptx::parts {

namespace {

// The format id every custom property of the presentation program carries.
constexpr const char* kUserDefinedFormat = "{D5CDD505-2E9C-101B-9397-08002B2CF9AE}";
// Property ids 0 and 1 are reserved.
constexpr int kFirstId = 2;

std::string_view LocalName(pugi::xml_node node)
{
    const std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// The prefix, with its colon, of the value types' namespace on the root.
std::string ValueTypePrefix(pugi::xml_node root)
{
    constexpr std::string_view kValueTypes = "http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes";
    for (pugi::xml_attribute attribute : root.attributes()) {
        const std::string_view name = attribute.name();
        if (name.starts_with("xmlns:") && attribute.value() == kValueTypes) {
            return std::string(name.substr(6)) + ":";
        }
    }
    root.append_attribute("xmlns:vt") = kValueTypes.data();
    return "vt:";
}

// The root's own prefix, with its colon, for the elements added under it.
std::string ElementPrefix(pugi::xml_node root)
{
    const std::string_view name = root.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? "" : std::string(name.substr(0, colon + 1));
}

}  // namespace

std::string CustomPropertiesPart::Empty()
{
    return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
           "\n"
           R"(<Properties xmlns="http://schemas.openxmlformats.org/officeDocument/2006/custom-properties")"
           R"( xmlns:vt="http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes"/>)";
}

pugi::xml_node CustomPropertiesPart::Property(const std::string& name)
{
    for (pugi::xml_node property : Root().children()) {
        if (LocalName(property) == "property" && name == property.attribute("name").value()) {
            return property;
        }
    }
    return {};
}

std::vector<std::string> CustomPropertiesPart::Names()
{
    std::vector<std::string> names;
    for (pugi::xml_node property : Root().children()) {
        if (LocalName(property) == "property") {
            names.emplace_back(property.attribute("name").value());
        }
    }
    return names;
}

std::optional<std::string> CustomPropertiesPart::Find(const std::string& name)
{
    const pugi::xml_node property = Property(name);
    if (!property) {
        return std::nullopt;
    }
    return std::string(property.first_child().text().get());
}

int CustomPropertiesPart::FreeId()
{
    int id = kFirstId - 1;
    for (pugi::xml_node property : Root().children()) {
        id = std::max(id, property.attribute("pid").as_int());
    }
    return id + 1;
}

void CustomPropertiesPart::Set(const std::string& name, const std::string& value)
{
    pugi::xml_node property = Property(name);
    if (!property) {
        property = Root().append_child((ElementPrefix(Root()) + "property").c_str());
        property.append_attribute("fmtid") = kUserDefinedFormat;
        property.append_attribute("pid") = FreeId();
        property.append_attribute("name") = name.c_str();
    }
    // A value of another type becomes text.
    property.remove_children();
    property.append_child((ValueTypePrefix(Root()) + "lpwstr").c_str()).text() = value.c_str();
    Touch();
}

void CustomPropertiesPart::Delete(const std::string& name)
{
    if (pugi::xml_node property = Property(name)) {
        Root().remove_child(property);
        Touch();
    }
}

}  // namespace velmora::pptx::parts
