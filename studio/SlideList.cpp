#include "studio/SlideList.hpp"

#include <algorithm>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace velmora::studio {
namespace {

constexpr int kThumbWidth = 160;
constexpr int kThumbHeight = 120;

QIcon BlankThumb()
{
    QPixmap blank(kThumbWidth, kThumbHeight);
    blank.fill(Qt::white);
    QPainter painter(&blank);
    painter.setPen(Qt::lightGray);
    painter.drawRect(blank.rect().adjusted(0, 0, -1, -1));
    return QIcon(blank);
}

}  // namespace

SlideList::SlideList(QWidget* parent) : QListWidget(parent)
{
    setObjectName("slideList");
    setViewMode(QListView::ListMode);
    setIconSize(QSize(kThumbWidth, kThumbHeight));
    setSelectionMode(QAbstractItemView::NoSelection);
    setFixedWidth(kThumbWidth + 60);
    setSpacing(4);
}

void SlideList::Reset(int slideCount)
{
    clear();
    order_.clear();
    current_ = 0;
    anchor_ = 0;
    const QIcon blank = BlankThumb();
    for (int slide = 1; slide <= slideCount; ++slide) {
        auto* item = new QListWidgetItem(blank, QString::number(slide), this);
        item->setData(Qt::UserRole, slide);
    }
}

void SlideList::SetPicture(int slide, const QImage& picture)
{
    if (QListWidgetItem* found = item(slide - 1)) {
        found->setIcon(QIcon(QPixmap::fromImage(
            picture.scaled(kThumbWidth, kThumbHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation))));
    }
}

void SlideList::ShowSelection(const std::vector<int>& order)
{
    order_ = order;
    for (int row = 0; row < count(); ++row) {
        const bool selected = std::find(order_.begin(), order_.end(), row + 1) != order_.end();
        item(row)->setBackground(selected ? QColor(0xC5, 0xD9, 0xF1) : QColor(Qt::transparent));
    }
}

void SlideList::SetCurrent(int slide)
{
    current_ = slide;
    if (anchor_ == 0) {
        anchor_ = slide;
    }
}

void SlideList::mousePressEvent(QMouseEvent* event)
{
    QListWidgetItem* clicked = itemAt(event->position().toPoint());
    if (clicked == nullptr || event->button() != Qt::LeftButton) {
        QListWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    Choose(clicked->data(Qt::UserRole).toInt(), event->modifiers());
}

void SlideList::keyPressEvent(QKeyEvent* event)
{
    const int target = Target(event->key());
    if (target == 0) {
        // Delete and the like have nothing to do with thumbnails.
        event->ignore();
        return;
    }
    Choose(target, event->modifiers() & Qt::ShiftModifier);
}

int SlideList::Target(int key) const
{
    if (count() == 0) {
        return 0;
    }
    const int from = std::clamp(current_, 1, count());
    const QRect first = visualItemRect(item(0));
    const int page = std::max(1, viewport()->height() / std::max(1, first.height() + 2 * spacing()));
    int target = 0;
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        target = from - 1;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        target = from + 1;
        break;
    case Qt::Key_PageUp:
        target = from - page;
        break;
    case Qt::Key_PageDown:
        target = from + page;
        break;
    case Qt::Key_Home:
        return 1;
    case Qt::Key_End:
        return count();
    default:
        return 0;
    }
    return std::clamp(target, 1, count());
}

void SlideList::Choose(int slide, Qt::KeyboardModifiers modifiers)
{
    std::vector<int> order = order_;
    if (modifiers & Qt::ShiftModifier && anchor_ > 0) {
        // From the anchor towards the slide chosen, as the tools see the order.
        order.clear();
        const int step = slide >= anchor_ ? 1 : -1;
        for (int at = anchor_; at != slide + step; at += step) {
            order.push_back(at);
        }
    } else if (modifiers & Qt::ControlModifier) {
        const auto found = std::find(order.begin(), order.end(), slide);
        if (found == order.end()) {
            order.push_back(slide);
        } else if (order.size() > 1) {
            order.erase(found);
        }
        anchor_ = slide;
    } else {
        order = {slide};
        anchor_ = slide;
    }
    current_ = slide;
    ShowSelection(order);
    scrollToItem(item(slide - 1));
    if (onSelect_) {
        onSelect_(order_, slide);
    }
}

}  // namespace velmora::studio
