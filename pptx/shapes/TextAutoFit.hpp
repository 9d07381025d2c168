#pragma once

namespace velmora::pptx::shapes {

struct TextSite;

// A shape whose text body asks for a:spAutoFit takes the size of its text,
// measured in the fonts the renderer draws it with (fontconfig's choice for
// each run's typeface, with the renderer's fallback for missing characters).
void FitShapeToText(const TextSite& site);

}  // namespace velmora::pptx::shapes
