#pragma once

#include <string>
#include <vector>

namespace velmora::studio {

// One element of the ribbon definition the add-in serves: a group, button,
// gallery, menu, menu separator or split button, with the attributes the
// desktop draws from. Children keep the definition's order.
struct RibbonNode {
    std::string kind;  // the element name: "group", "button", "gallery", ...
    std::string id;
    std::string label;
    std::string title;  // a menu separator's heading
    std::string size;   // "large" or "" (the host's normal size)
    std::string imageMso;
    std::string getImage;
    std::string onAction;
    std::string screentip;
    std::string supertip;
    // Gallery item callbacks; empty when the gallery has no items of its own.
    std::string getItemCount;
    int columns = 0;
    std::vector<RibbonNode> children;

    bool Large() const { return size == "large"; }
};

struct RibbonTab {
    std::string id;
    std::string label;
    std::vector<RibbonNode> groups;
};

// The tabs of a customUI document; raises std::invalid_argument when the
// text is not one.
std::vector<RibbonTab> ParseRibbon(const std::string& customUI);

// The label as the ribbon shows it: the trailing blanks that widen a button
// carry no text.
std::string ShownLabel(const std::string& label);

}  // namespace velmora::studio
