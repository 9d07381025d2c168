#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::xml {

namespace detail {

// The prefixes `element` binds to the relationships namespace, given those
// bound above it; a redeclaration of a prefix to another namespace unbinds it.
inline std::vector<std::string> RelationshipPrefixes(pugi::xml_node element, std::vector<std::string> bound)
{
    for (pugi::xml_attribute attribute : element.attributes()) {
        const std::string_view name = attribute.name();
        if (!name.starts_with("xmlns:")) {
            continue;
        }
        const std::string prefix(name.substr(6));
        std::erase(bound, prefix);
        if (std::string_view(attribute.value()) == ooxml::kRelationshipsNs) {
            bound.push_back(prefix);
        }
    }
    return bound;
}

inline void CollectIds(pugi::xml_node element, const std::vector<std::string>& inherited,
                       std::vector<std::string>& ids)
{
    const std::vector<std::string> bound = RelationshipPrefixes(element, inherited);
    for (pugi::xml_attribute attribute : element.attributes()) {
        const std::string_view name = attribute.name();
        const std::size_t colon = name.find(':');
        if (colon != std::string_view::npos && name.substr(0, colon) != "xmlns" &&
            std::find(bound.begin(), bound.end(), name.substr(0, colon)) != bound.end()) {
            ids.emplace_back(attribute.value());
        }
    }
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element) {
            CollectIds(child, bound, ids);
        }
    }
}

}  // namespace detail

// The relationship ids `element` and everything inside it refer to (r:embed,
// r:link, r:id, ...), whatever prefix the writer bound the namespace to.
inline std::vector<std::string> RelationshipIdsIn(pugi::xml_node element)
{
    std::vector<pugi::xml_node> ancestors;
    for (pugi::xml_node above = element.parent(); above.type() == pugi::node_element; above = above.parent()) {
        ancestors.push_back(above);
    }
    std::vector<std::string> bound;
    for (auto above = ancestors.rbegin(); above != ancestors.rend(); ++above) {
        bound = detail::RelationshipPrefixes(*above, std::move(bound));
    }
    std::vector<std::string> ids;
    detail::CollectIds(element, bound, ids);
    return ids;
}

}  // namespace velmora::pptx::xml
