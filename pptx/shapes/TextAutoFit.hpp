#pragma once

#include <string_view>

namespace velmora::pptx::shapes {

struct TextSite;

// A shape whose text body asks for a:spAutoFit takes the size of its text,
// as the presentation program would draw it. Without font metrics the
// extent is estimated: wide (East Asian) characters take one em, others about half.
void FitShapeToText(const TextSite& site);

// Estimated advance of UTF-8 text, in ems.
double EstimatedEms(std::string_view text);

}  // namespace velmora::pptx::shapes
