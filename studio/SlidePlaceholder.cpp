#include "studio/SlidePlaceholder.hpp"

#include <algorithm>
#include <cmath>

#include <QPainter>

#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "host/Shape.hpp"
#include "host/TextRange.hpp"

namespace velmora::studio {
namespace {

constexpr float kTextPoints = 18;

struct ShapeText {
    QString text;
    float points = kTextPoints;
};

ShapeText TextOf(host::Shape& shape)
{
    try {
        if (shape.HasTextFrame() == 0) {
            return {};
        }
        auto range = shape.TextFrame()->TextRange();
        const float points = range->Font()->Size();
        return {QString::fromStdString(range->Text()), points > 0 ? points : kTextPoints};
    } catch (const host::HostError&) {
        // A shape whose text the host cannot read is drawn as its outline.
        return {};
    }
}

void DrawShape(QPainter& painter, host::Shape& shape, double scale)
{
    const QRectF box(shape.Left() * scale, shape.Top() * scale, shape.Width() * scale, shape.Height() * scale);
    if (shape.Type() == host::ShapeType::Group) {
        auto items = shape.GroupItems();
        for (int i = 1; i <= items->Count(); ++i) {
            DrawShape(painter, *items->Item(i), scale);
        }
        return;
    }
    painter.setPen(QPen(QColor(0xB0, 0xB0, 0xB0), 1));
    painter.drawRect(box);
    const ShapeText text = TextOf(shape);
    if (!text.text.isEmpty()) {
        QFont font = painter.font();
        font.setPixelSize(std::max(6, static_cast<int>(std::lround(text.points * scale))));
        painter.setFont(font);
        painter.setPen(QColor(0x40, 0x40, 0x40));
        painter.drawText(box.adjusted(2, 2, -2, -2), Qt::AlignCenter | Qt::TextWordWrap, text.text);
    }
}

}  // namespace

QImage SlidePlaceholder(host::Slide& slide, QSizeF slideSize, int width)
{
    const double scale = width / std::max(1.0, slideSize.width());
    QImage image(width, std::max(1, static_cast<int>(std::lround(slideSize.height() * scale))), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    auto shapes = slide.Shapes();
    for (int i = 1; i <= shapes->Count(); ++i) {
        DrawShape(painter, *shapes->Item(i), scale);
    }
    return image;
}

}  // namespace velmora::studio
