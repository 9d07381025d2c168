#include "studio/SlideList.hpp"

#include <algorithm>

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

void SlideList::mousePressEvent(QMouseEvent* event)
{
    QListWidgetItem* clicked = itemAt(event->position().toPoint());
    if (clicked == nullptr || event->button() != Qt::LeftButton) {
        QListWidget::mousePressEvent(event);
        return;
    }
    const int slide = clicked->data(Qt::UserRole).toInt();
    std::vector<int> order = order_;
    if (event->modifiers() & Qt::ControlModifier) {
        const auto found = std::find(order.begin(), order.end(), slide);
        if (found == order.end()) {
            order.push_back(slide);
        } else if (order.size() > 1) {
            order.erase(found);
        }
    } else {
        order = {slide};
    }
    ShowSelection(order);
    if (onSelect_) {
        onSelect_(order_, slide);
    }
}

}  // namespace velmora::studio
