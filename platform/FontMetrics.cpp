#include "platform/FontMetrics.hpp"

#include "platform/FontModule.hpp"
#include "platform/Utf8.hpp"

namespace velmora::platform {

TextExtent MeasureText(const std::string& family, double points, std::string_view text, bool bold, bool italic)
{
    return FontModule().measure(family, points, DecodeUtf8(text), bold, italic);
}

}  // namespace velmora::platform
