#include "pptx/parts/Transition.hpp"

#include <string_view>
#include <vector>

#include "pptx/xml/Elements.hpp"

namespace velmora::pptx::parts::transition {

namespace {

constexpr std::string_view kSlideOrder[] = {"p:cSld", "p:clrMapOvr", "p:transition", "p:timing", "p:extLst"};

bool HoldsTransition(pugi::xml_node alternate)
{
    return alternate.find_node([](pugi::xml_node n) { return std::string_view(n.name()) == "p:transition"; });
}

// The transition a reader without extensions sees: the plain one or the fallback.
pugi::xml_node Transition(pugi::xml_node slide)
{
    if (pugi::xml_node plain = slide.child("p:transition")) {
        return plain;
    }
    for (pugi::xml_node alternate : slide.children("mc:AlternateContent")) {
        if (pugi::xml_node fallback = alternate.child("mc:Fallback").child("p:transition")) {
            return fallback;
        }
    }
    return {};
}

}  // namespace

std::string Kind(pugi::xml_node slide)
{
    for (pugi::xml_node effect : Transition(slide).children()) {
        std::string_view name = effect.name();
        if (effect.type() == pugi::node_element && name != "p:sndAc" && name != "p:extLst") {
            std::size_t colon = name.find(':');
            return std::string(colon == std::string_view::npos ? name : name.substr(colon + 1));
        }
    }
    return {};
}

void SetKind(pugi::xml_node slide, const std::string& kind)
{
    std::vector<pugi::xml_node> old;
    for (pugi::xml_node child : slide.children()) {
        std::string_view name = child.name();
        if (name == "p:transition" || (name == "mc:AlternateContent" && HoldsTransition(child))) {
            old.push_back(child);
        }
    }
    pugi::xml_node anchor = old.empty() ? pugi::xml_node() : old.front();
    if (!kind.empty()) {
        pugi::xml_node added = anchor ? slide.insert_child_before("p:transition", anchor)
                                      : xml::InsertInOrder(slide, "p:transition", kSlideOrder);
        added.append_child(("p:" + kind).c_str());
    }
    for (pugi::xml_node node : old) {
        slide.remove_child(node);
    }
}

}  // namespace velmora::pptx::parts::transition
