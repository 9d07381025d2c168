#pragma once

#include <vector>

#include <pugixml.hpp>

#include "pptx/parts/ThemePart.hpp"
#include "pptx/shapes/ThemeResolver.hpp"

namespace velmora::pptx::model {

// The theme a part's shapes see: the colours and fonts `theme` defines over
// the default theme's (all of the default when null), through the first of
// `colorMaps` that is set (nearest part first: slide, layout, master).
shapes::ThemeResolver PartTheme(parts::ThemePart* theme, const std::vector<pugi::xml_node>& colorMaps);

}  // namespace velmora::pptx::model
