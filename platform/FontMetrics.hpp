#pragma once

#include <string>
#include <string_view>

namespace velmora::platform {

// The extent of text on one line, in points.
struct TextExtent {
    double width = 0;
    double height = 0;
};

// One line of UTF-8 text in `family` at `points`, measured with the font
// files fontconfig picks for that family, as the renderer (LibreOffice) picks
// them: a character the family lacks is measured in the fallback font
// fontconfig gives for it. The width is the sum of the glyph advances; the
// height is the fonts' line height (ascent, descent and line gap). A family
// fontconfig cannot match at all takes its default font.
TextExtent MeasureText(const std::string& family, double points, std::string_view text, bool bold = false,
                       bool italic = false);

}  // namespace velmora::platform
