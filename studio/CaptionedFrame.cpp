#include "studio/CaptionedFrame.hpp"

#include <algorithm>

#include <QEvent>
#include <QPainter>
#include <QStyleOptionFrame>

namespace velmora::studio {
namespace {

// The border's width, and how far the caption stands from its left end.
constexpr int kBorder = 2;
constexpr int kCaptionIndent = 8;
constexpr int kCaptionPadding = 2;

}  // namespace

CaptionedFrame::CaptionedFrame(QWidget* parent) : QFrame(parent), inside_(new QWidget(this))
{
    inside_->setObjectName("inside");
    inside_->setMouseTracking(true);
    PlaceInside();
}

void CaptionedFrame::SetCaption(const QString& caption)
{
    if (caption_ == caption) {
        return;
    }
    caption_ = caption;
    PlaceInside();
    update();
}

int CaptionedFrame::BorderTop() const
{
    return caption_.isEmpty() ? 0 : fontMetrics().height() / 2;
}

QRect CaptionedFrame::CaptionRect() const
{
    if (caption_.isEmpty()) {
        return {};
    }
    const QFontMetrics metrics = fontMetrics();
    return QRect(kCaptionIndent, 0, metrics.horizontalAdvance(caption_) + 2 * kCaptionPadding, metrics.ascent());
}

void CaptionedFrame::PlaceInside()
{
    const int top = BorderTop() + kBorder;
    inside_->setGeometry(kBorder, top, std::max(0, width() - 2 * kBorder), std::max(0, height() - top - kBorder));
}

void CaptionedFrame::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    PlaceInside();
}

void CaptionedFrame::changeEvent(QEvent* event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        PlaceInside();
    }
}

void CaptionedFrame::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    QStyleOptionFrame border;
    border.initFrom(this);
    border.rect = rect().adjusted(0, BorderTop(), 0, 0);
    border.lineWidth = 1;
    border.midLineWidth = 0;
    border.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_FrameGroupBox, &border, &painter, this);
    if (caption_.isEmpty()) {
        return;
    }
    // The caption interrupts the line it sits on.
    const QRect caption(kCaptionIndent, 0, CaptionRect().width(), fontMetrics().height());
    painter.fillRect(caption, palette().color(backgroundRole()));
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(caption, Qt::AlignCenter, caption_);
}

}  // namespace velmora::studio
