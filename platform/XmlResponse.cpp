#include "platform/XmlResponse.hpp"

namespace velmora::platform {
namespace {

void AppendText(const pugi::xml_node& node, std::string& text)
{
    for (const pugi::xml_node& child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            text += child.value();
        } else if (child.type() == pugi::node_element) {
            AppendText(child, text);
        }
    }
}

std::string Trimmed(const std::string& text)
{
    constexpr const char* blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string NodeText(const pugi::xpath_node& selected)
{
    if (selected.attribute()) {
        return Trimmed(selected.attribute().value());
    }
    const pugi::xml_node node = selected.node();
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
        return Trimmed(node.value());
    }
    std::string text;
    AppendText(node, text);
    return Trimmed(text);
}

}  // namespace

XmlResponse::XmlResponse(std::string_view body)
{
    if (!document_.load_buffer(body.data(), body.size())) {
        document_.reset();
    }
}

std::vector<std::string> XmlResponse::SelectNodes(const std::string& path) const
{
    std::vector<std::string> texts;
    try {
        for (const pugi::xpath_node& node : document_.select_nodes(path.c_str())) {
            texts.push_back(NodeText(node));
        }
    } catch (const pugi::xpath_exception&) {
        texts.clear();
    }
    return texts;
}

}  // namespace velmora::platform
