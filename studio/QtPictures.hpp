#pragma once

#include <QColor>
#include <QPixmap>

#include "host/MsoConstants.hpp"
#include "resources/Pictures.hpp"

namespace velmora::studio {

// A component picture (BMP or ICO file) as Qt draws it; null when Qt cannot read it.
QPixmap PixmapOf(const resources::Picture& picture);

// Colour values R + 256 G + 65536 B and Qt's colours.
QColor QColorOf(host::Color colour);
host::Color ColorOf(const QColor& colour);

}  // namespace velmora::studio
