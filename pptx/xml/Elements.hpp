#pragma once

#include <charconv>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include <pugixml.hpp>

// Small helpers over pugixml elements with the usual prefixes (p:, a:, r:).
namespace velmora::pptx::xml {

// The children an element may have, in the order its schema gives them.
using SchemaOrder = std::span<const std::string_view>;

// Position of `name` in a schema sequence, or -1 when the sequence does not name it.
inline int OrderOf(std::string_view name, SchemaOrder order)
{
    int position = 0;
    for (std::string_view entry : order) {
        if (entry == name) {
            return position;
        }
        ++position;
    }
    return -1;
}

// Adds a new child `name` where the schema sequence `order` puts it: before
// the first child that comes later in the sequence. Children the sequence
// does not name (extensions, alternate content) are stepped over.
inline pugi::xml_node InsertInOrder(pugi::xml_node parent, const char* name,
                                    SchemaOrder order)
{
    const int rank = OrderOf(name, order);
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && OrderOf(child.name(), order) > rank) {
            return parent.insert_child_before(name, child);
        }
    }
    return parent.append_child(name);
}

// The child `name`, created in schema order when missing.
inline pugi::xml_node ChildInOrder(pugi::xml_node parent, const char* name,
                                   SchemaOrder order)
{
    pugi::xml_node child = parent.child(name);
    return child ? child : InsertInOrder(parent, name, order);
}

// Declares a namespace prefix on the root element when it is not there yet.
inline void EnsureNamespace(pugi::xml_node root, const char* prefix, const char* uri)
{
    std::string attribute = std::string("xmlns:") + prefix;
    if (!root.attribute(attribute.c_str())) {
        root.append_attribute(attribute.c_str()) = uri;
    }
}

inline bool HasElementChildren(pugi::xml_node node)
{
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element) {
            return true;
        }
    }
    return false;
}

// Whole-number attribute value; `fallback` when absent or not a number.
template <typename Number>
Number NumberAttribute(pugi::xml_node node, const char* name, Number fallback)
{
    const char* text = node.attribute(name).value();
    const char* end = text + std::strlen(text);
    Number value{};
    auto [stop, error] = std::from_chars(text, end, value);
    return (error == std::errc() && stop == end && stop != text) ? value : fallback;
}

// Sets an attribute, adding it when missing.
inline void SetAttribute(pugi::xml_node node, const char* name, const char* value)
{
    pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute) {
        attribute = node.append_attribute(name);
    }
    attribute.set_value(value);
}

}  // namespace velmora::pptx::xml
