#pragma once

#include <string>

namespace velmora::addin {

// The host's ribbon control object: the callbacks read only its id.
struct RibbonControl {
    std::string Id;
};

// One press of a ribbon control; a gallery press also names the picked item.
struct RibbonPress {
    RibbonControl control;
    std::string selectedId;
    int selectedIndex = 0;
};

}  // namespace velmora::addin
