#pragma once

#include "pptx/package/Package.hpp"

namespace velmora::pptx::package {

// Removes, from the reachable SVG pictures, every reference a renderer would
// follow out of the package: images and other elements linked by href or
// xlink:href (a local file, a path beside the deck, an address), url(...)
// in styles and paint, and nested SVG pictures given as data addresses. An
// SVG picture that cannot be read is emptied. For a copy handed to a
// renderer only: the picture would otherwise show a file of the machine it
// was drawn on. Returns how many parts changed.
int DropOutsideReferences(Package& package);

}  // namespace velmora::pptx::package
