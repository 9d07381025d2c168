#pragma once

#include <string>
#include <vector>

#include "platform/FontMetrics.hpp"

namespace velmora::platform::fonts {

// MeasureText, with fontconfig and FreeType, of text already decoded.
TextExtent MeasureLine(const std::string& family, double points, const std::vector<char32_t>& text, bool bold,
                       bool italic);

}  // namespace velmora::platform::fonts
