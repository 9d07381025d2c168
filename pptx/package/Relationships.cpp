#include "pptx/package/Relationships.hpp"

#include <algorithm>
#include <charconv>

#include "pptx/package/PartName.hpp"
#include "pptx/package/XmlText.hpp"
#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::package {

namespace {

// 7 for "rId7", 0 for ids of another form.
unsigned IdNumber(std::string_view id)
{
    if (!id.starts_with("rId")) {
        return 0;
    }
    unsigned number = 0;
    std::from_chars(id.data() + 3, id.data() + id.size(), number);
    return number;
}

}  // namespace

Relationships::Relationships(std::string sourcePart, std::string bytes, const std::function<std::string()>& what)
    : source_(std::move(sourcePart))
{
    auto xml = ParseXml(std::move(bytes), what);
    for (pugi::xml_node node : xml->document.document_element().children("Relationship")) {
        relationships_.push_back(Relationship{node.attribute("Id").value(), node.attribute("Type").value(),
                                              node.attribute("Target").value(),
                                              std::string_view(node.attribute("TargetMode").value()) == "External"});
        highestNumber_ = std::max(highestNumber_, IdNumber(relationships_.back().id));
    }
    IndexIds();
}

void Relationships::IndexIds()
{
    positions_.clear();
    // A slide relates to a few parts: those are found by a look down the list.
    if (relationships_.size() < kIndexedFrom) {
        return;
    }
    for (std::size_t i = 0; i < relationships_.size(); ++i) {
        positions_.emplace(relationships_[i].id, i);
    }
}

const Relationship* Relationships::ById(std::string_view id) const
{
    if (positions_.empty()) {
        const auto listed = std::find_if(relationships_.begin(), relationships_.end(),
                                         [&](const Relationship& relationship) { return relationship.id == id; });
        return listed == relationships_.end() ? nullptr : &*listed;
    }
    const auto found = positions_.find(std::string(id));
    return found == positions_.end() ? nullptr : &relationships_[found->second];
}

std::vector<Relationship> Relationships::OfType(std::string_view type) const
{
    std::vector<Relationship> matching;
    std::copy_if(relationships_.begin(), relationships_.end(), std::back_inserter(matching),
                 [&](const Relationship& relationship) { return relationship.type == type; });
    return matching;
}

std::string Relationships::TargetPart(const Relationship& relationship) const
{
    return ResolveTarget(source_, relationship.target);
}

std::string Relationships::Add(std::string_view type, std::string_view targetPart)
{
    std::string id = "rId" + std::to_string(++highestNumber_);
    relationships_.push_back(Relationship{id, std::string(type), RelativeTarget(source_, targetPart), false});
    if (positions_.empty()) {
        IndexIds();
    } else {
        positions_.emplace(id, relationships_.size() - 1);
    }
    changed_ = true;
    return id;
}

void Relationships::Remove(std::string_view id)
{
    Remove(std::unordered_set<std::string>{std::string(id)});
}

void Relationships::Remove(const std::unordered_set<std::string>& ids)
{
    const auto removed = std::erase_if(relationships_, [&](const Relationship& relationship) {
        return ids.contains(relationship.id);
    });
    if (removed > 0) {
        IndexIds();
        changed_ = true;
    }
}

std::string Relationships::Serialise() const
{
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    declaration.append_attribute("standalone") = "yes";
    pugi::xml_node root = document.append_child("Relationships");
    root.append_attribute("xmlns") = ooxml::kPackageRelationshipsNs;
    for (const Relationship& relationship : relationships_) {
        pugi::xml_node node = root.append_child("Relationship");
        node.append_attribute("Id") = relationship.id.c_str();
        node.append_attribute("Type") = relationship.type.c_str();
        node.append_attribute("Target") = relationship.target.c_str();
        if (relationship.external) {
            node.append_attribute("TargetMode") = "External";
        }
    }
    return SerialiseXml(document);
}

}  // namespace velmora::pptx::package
