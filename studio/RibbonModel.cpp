#include "studio/RibbonModel.hpp"

#include <stdexcept>

#include <pugixml.hpp>

namespace velmora::studio {
namespace {

RibbonNode ReadNode(const pugi::xml_node& element)
{
    RibbonNode node;
    node.kind = element.name();
    node.id = element.attribute("id").value();
    node.label = element.attribute("label").value();
    node.title = element.attribute("title").value();
    node.size = element.attribute("size").value();
    node.imageMso = element.attribute("imageMso").value();
    node.getImage = element.attribute("getImage").value();
    node.onAction = element.attribute("onAction").value();
    node.screentip = element.attribute("screentip").value();
    node.supertip = element.attribute("supertip").value();
    node.getItemCount = element.attribute("getItemCount").value();
    node.columns = element.attribute("columns").as_int(0);
    for (const pugi::xml_node& child : element.children()) {
        if (child.type() == pugi::node_element) {
            node.children.push_back(ReadNode(child));
        }
    }
    return node;
}

}  // namespace

std::vector<RibbonTab> ParseRibbon(const std::string& customUI)
{
    pugi::xml_document document;
    if (!document.load_string(customUI.c_str())) {
        throw std::invalid_argument("the ribbon definition is not XML");
    }
    const pugi::xml_node tabs = document.child("customUI").child("ribbon").child("tabs");
    if (!tabs) {
        throw std::invalid_argument("the ribbon definition has no tabs");
    }
    std::vector<RibbonTab> result;
    for (const pugi::xml_node& tab : tabs.children("tab")) {
        RibbonTab parsed{tab.attribute("id").value(), tab.attribute("label").value(), {}};
        for (const pugi::xml_node& group : tab.children("group")) {
            parsed.groups.push_back(ReadNode(group));
        }
        result.push_back(std::move(parsed));
    }
    return result;
}

std::string ShownLabel(const std::string& label)
{
    const std::size_t end = label.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : label.substr(0, end + 1);
}

}  // namespace velmora::studio
