#include "pptx/parts/TagsPart.hpp"

#include <algorithm>
#include <cctype>

#include "host/HostError.hpp"
#include "pptx/xml/Elements.hpp"

namespace velmora::pptx::parts {

std::string TagName(const std::string& name)
{
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

int TagsPart::Count()
{
    int count = 0;
    for ([[maybe_unused]] pugi::xml_node tag : Root().children("p:tag")) {
        ++count;
    }
    return count;
}

pugi::xml_node TagsPart::TagAt(int index)
{
    int position = 0;
    for (pugi::xml_node tag : Root().children("p:tag")) {
        if (position++ == index) {
            return tag;
        }
    }
    throw host::HostError("tag " + std::to_string(index + 1) + " is out of range");
}

pugi::xml_node TagsPart::Tag(const std::string& name)
{
    const std::string wanted = TagName(name);
    for (pugi::xml_node tag : Root().children("p:tag")) {
        if (TagName(tag.attribute("name").value()) == wanted) {
            return tag;
        }
    }
    return {};
}

std::string TagsPart::NameAt(int index)
{
    return TagAt(index).attribute("name").value();
}

std::string TagsPart::ValueAt(int index)
{
    return TagAt(index).attribute("val").value();
}

std::optional<std::string> TagsPart::Find(const std::string& name)
{
    pugi::xml_node tag = Tag(name);
    if (!tag) {
        return std::nullopt;
    }
    return std::string(tag.attribute("val").value());
}

void TagsPart::Set(const std::string& name, const std::string& value)
{
    pugi::xml_node tag = Tag(name);
    if (!tag) {
        tag = Root().append_child("p:tag");
        tag.append_attribute("name") = TagName(name).c_str();
    }
    xml::SetAttribute(tag, "val", value.c_str());
    Touch();
}

void TagsPart::Delete(const std::string& name)
{
    if (pugi::xml_node tag = Tag(name)) {
        Root().remove_child(tag);
        Touch();
    }
}

}  // namespace velmora::pptx::parts
