#include "pptx/package/ContentTypes.hpp"

#include <algorithm>

#include "pptx/package/PartName.hpp"
#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::package {

ContentTypes::ContentTypes()
    : xml_(ParseXml(std::string(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)") + "<Types xmlns=\"" +
                        ooxml::kContentTypesNs + "\"/>",
                    "[Content_Types].xml"))
{
    changed_ = true;
}

ContentTypes::ContentTypes(std::string bytes, const std::string& what) : xml_(ParseXml(std::move(bytes), what)) {}

void ContentTypes::Index() const
{
    if (indexed_) {
        return;
    }
    indexed_ = true;
    for (pugi::xml_node node : xml_->document.document_element().children()) {
        if (std::string_view(node.name()) == "Override") {
            overrides_[node.attribute("PartName").value()] = node;
        } else if (std::string_view(node.name()) == "Default") {
            defaults_[node.attribute("Extension").value()] = node;
        }
    }
}

// As the index answers: of entries given twice, the last one counts.
std::string ContentTypes::ScannedTypeOf(std::string_view part) const
{
    const std::string extension = Extension(part);
    pugi::xml_node byName;
    pugi::xml_node byExtension;
    for (pugi::xml_node node : xml_->document.document_element().children()) {
        const std::string_view name = node.name();
        if (name == "Override" && CaselessEqual()(node.attribute("PartName").value(), part)) {
            byName = node;
        } else if (name == "Default" && CaselessEqual()(node.attribute("Extension").value(), extension)) {
            byExtension = node;
        }
    }
    return (byName ? byName : byExtension).attribute("ContentType").value();
}

std::string ContentTypes::TypeOf(std::string_view part) const
{
    if (!indexed_ && ++lookups_ <= kLookupsBeforeIndex) {
        return ScannedTypeOf(part);
    }
    Index();
    if (auto found = overrides_.find(part); found != overrides_.end()) {
        return found->second.attribute("ContentType").value();
    }
    if (auto found = defaults_.find(Extension(part)); found != defaults_.end()) {
        return found->second.attribute("ContentType").value();
    }
    return {};
}

void ContentTypes::SetOverride(std::string_view part, std::string_view type)
{
    Index();
    pugi::xml_node& node = overrides_[std::string(part)];
    if (!node) {
        node = xml_->document.document_element().append_child("Override");
        node.append_attribute("PartName") = std::string(part).c_str();
        node.append_attribute("ContentType");
    }
    node.attribute("ContentType") = std::string(type).c_str();
    changed_ = true;
}

void ContentTypes::RemoveOverride(std::string_view part)
{
    Index();
    auto found = overrides_.find(part);
    if (found == overrides_.end()) {
        return;
    }
    xml_->document.document_element().remove_child(found->second);
    overrides_.erase(found);
    changed_ = true;
}

void ContentTypes::EnsureDefault(std::string_view extension, std::string_view type)
{
    Index();
    std::string key = FoldCase(extension);
    if (defaults_.contains(key)) {
        return;
    }
    pugi::xml_node root = xml_->document.document_element();
    // Defaults come before overrides, as writers list them.
    pugi::xml_node firstOverride = root.child("Override");
    pugi::xml_node node = firstOverride ? root.insert_child_before("Default", firstOverride) : root.append_child("Default");
    node.append_attribute("Extension") = key.c_str();
    node.append_attribute("ContentType") = std::string(type).c_str();
    defaults_[key] = node;
    changed_ = true;
}

void ContentTypes::EnsureTypeOf(std::string_view part, std::string_view type)
{
    if (!TypeOf(part).empty()) {
        return;
    }
    const std::string extension = Extension(part);
    Index();
    const bool listedByName = std::any_of(overrides_.begin(), overrides_.end(), [&](const auto& entry) {
        return CaselessEqual()(Extension(entry.first), extension);
    });
    if (extension.empty() || listedByName) {
        SetOverride(part, type);
    } else {
        EnsureDefault(extension, type);
    }
}

std::string ContentTypes::Serialise() const
{
    return SerialiseXml(xml_->document);
}

}  // namespace velmora::pptx::package
