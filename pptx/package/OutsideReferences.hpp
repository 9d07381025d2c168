#pragma once

#include "pptx/package/Package.hpp"

namespace velmora::pptx::package {

// Removes, from the reachable SVG pictures (known by their declared type,
// their name or their content, whatever type is declared, unpacked first
// when packed with gzip), every reference a renderer would follow out of
// the package: images and other elements linked by href or xlink:href (a
// local file, a path beside the deck, an address), url(...) in styles and
// paint, and nested SVG pictures given as data addresses. A picture that may
// be SVG but cannot be read as XML, or packed data that cannot be unpacked,
// is emptied. For a copy handed to a renderer only: the picture would
// otherwise show a file of the machine it was drawn on. Returns how many
// parts changed.
int DropOutsideReferences(Package& package);

}  // namespace velmora::pptx::package
