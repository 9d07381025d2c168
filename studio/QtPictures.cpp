#include "studio/QtPictures.hpp"

namespace velmora::studio {

QPixmap PixmapOf(const resources::Picture& picture)
{
    QPixmap pixmap;
    pixmap.loadFromData(picture.bytes.data(), static_cast<uint>(picture.bytes.size()),
                        picture.kind == resources::PictureKind::Icon ? "ICO" : "BMP");
    return pixmap;
}

QColor QColorOf(host::Color colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

host::Color ColorOf(const QColor& colour)
{
    return colour.red() + 256 * colour.green() + 65536 * colour.blue();
}

}  // namespace velmora::studio
