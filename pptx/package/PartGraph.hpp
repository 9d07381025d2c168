#pragma once

#include <functional>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "pptx/package/Package.hpp"

namespace velmora::pptx::package {

// The parts reached from the package's own relationships through internal
// relationships, each once, in the order met ("/" first). Targets the
// package lacks are left out.
std::vector<std::string> ReachableParts(Package& package);

// Removes every external relationship a renderer would follow to fetch
// content (linked pictures, media, objects, templates); hyperlinks stay, as
// nothing fetches them. Returns how many went.
int DropFetchedLinks(Package& package);

// The tree of a part when one is at hand, else nullptr.
using ParsedPart = std::function<const pugi::xml_document*(const std::string& part)>;

// The font names the reachable XML parts set (typeface attributes), each
// once; references to the theme's fonts ("+mn-lt") are left out. Parts
// `parsed` has no tree for are parsed one at a time.
std::vector<std::string> TypefacesUsed(Package& package, const ParsedPart& parsed = {});

}  // namespace velmora::pptx::package
