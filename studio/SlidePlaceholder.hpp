#pragma once

#include <QImage>
#include <QSizeF>

#include "host/Slide.hpp"

namespace velmora::studio {

// A slide drawn at once from the host's geometry, shown until LibreOffice's
// picture comes: a white page with each shape's outline and its text.
// `width` pixels wide, as high as `slideSize` (points) asks.
QImage SlidePlaceholder(host::Slide& slide, QSizeF slideSize, int width);

}  // namespace velmora::studio
