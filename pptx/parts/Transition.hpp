#pragma once

#include <string>

#include <pugixml.hpp>

// The slide's transition (<p:transition>, also inside alternate content).
namespace velmora::pptx::parts::transition {

// The effect element's local name ("fade", "push", ...); "" without a
// transition effect.
std::string Kind(pugi::xml_node slide);
// Replaces the transition with one of the given effect, or removes it for "".
void SetKind(pugi::xml_node slide, const std::string& kind);

}  // namespace velmora::pptx::parts::transition
