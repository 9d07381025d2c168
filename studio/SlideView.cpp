#include "studio/SlideView.hpp"

#include <algorithm>
#include <set>

#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>

#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "host/Presentation.hpp"
#include "host/Prompts.hpp"
#include "host/Shape.hpp"
#include "host/Slide.hpp"
#include "pptx/DocumentHost.hpp"

namespace velmora::studio {
namespace {

constexpr int kMargin = 12;

SlideView::Outline OutlineOf(host::Shape& shape, int index, const std::set<int>& selected)
{
    SlideView::Outline outline{index, shape.Id(), shape.Name(),
                               QRectF(shape.Left(), shape.Top(), shape.Width(), shape.Height()),
                               selected.count(shape.Id()) > 0, {}};
    if (shape.Type() == host::ShapeType::Group) {
        auto items = shape.GroupItems();
        for (int i = 1; i <= items->Count(); ++i) {
            outline.children.push_back(OutlineOf(*items->Item(i), i, selected));
        }
    }
    return outline;
}

std::set<int> SelectedIds(host::Selection& selection)
{
    std::set<int> ids;
    const int type = selection.Type();
    if (type != host::SelectionType::Shapes && type != host::SelectionType::Text) {
        return ids;
    }
    auto range = selection.HasChildShapeRange() ? selection.ChildShapeRange() : selection.ShapeRange();
    for (int i = 1; i <= range->Count(); ++i) {
        ids.insert(range->Item(i)->Id());
    }
    return ids;
}

}  // namespace

SlideView::SlideView(QWidget* parent) : QWidget(parent)
{
    setObjectName("slideView");
    setMinimumSize(320, 240);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(0xD8, 0xD8, 0xD8));
    setPalette(background);
}

void SlideView::Show(host::Ref<host::DocumentWindow> window)
{
    window_ = std::move(window);
    picture_ = QImage();
    Reload();
}

void SlideView::SetPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

host::Ref<host::Slide> SlideView::ShownSlide() const
{
    return window_->View()->Slide();
}

void SlideView::Reload()
{
    outlines_.clear();
    if (window_) {
        try {
            auto setup = window_->Presentation()->PageSetup();
            slideSize_ = QSizeF(setup->SlideWidth(), setup->SlideHeight());
            const std::set<int> selected = SelectedIds(*window_->Selection());
            auto shapes = ShownSlide()->Shapes();
            for (int i = 1; i <= shapes->Count(); ++i) {
                outlines_.push_back(OutlineOf(*shapes->Item(i), i, selected));
            }
        } catch (const host::HostError&) {
            // A presentation without slides shows none.
            outlines_.clear();
        }
    }
    update();
}

QRectF SlideView::SlideRect() const
{
    const QSizeF room(width() - 2 * kMargin, height() - 2 * kMargin);
    const QSizeF size = slideSize_.scaled(room, Qt::KeepAspectRatio);
    return QRectF(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

QRect SlideView::SlideArea() const
{
    const QRect slide = SlideRect().toRect();
    return QRect(mapToGlobal(slide.topLeft()), slide.size());
}

QRect SlideView::WidgetRect(const Outline& outline) const
{
    const QRectF slide = SlideRect();
    const double scale = slide.width() / std::max(1.0, slideSize_.width());
    return QRectF(slide.left() + outline.points.left() * scale, slide.top() + outline.points.top() * scale,
                  outline.points.width() * scale, outline.points.height() * scale)
        .toRect();
}

void SlideView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!window_) {
        return;
    }
    const QRectF slide = SlideRect();
    if (picture_.isNull()) {
        painter.fillRect(slide, Qt::white);
    } else {
        painter.drawImage(slide, picture_);
    }
    painter.setBrush(Qt::NoBrush);
    const std::function<void(const Outline&)> draw = [&](const Outline& outline) {
        if (outline.selected) {
            painter.setPen(QPen(QColor(0x2B, 0x57, 0x9A), 2));
        } else {
            painter.setPen(QPen(QColor(0x80, 0x80, 0x80, 0x90), 1, Qt::DotLine));
        }
        painter.drawRect(WidgetRect(outline));
        for (const Outline& child : outline.children) {
            draw(child);
        }
    };
    for (const Outline& outline : outlines_) {
        draw(outline);
    }
}

const SlideView::Outline* SlideView::ShapeAt(QPointF at) const
{
    for (auto it = outlines_.rbegin(); it != outlines_.rend(); ++it) {
        if (WidgetRect(*it).contains(at.toPoint())) {
            return &*it;
        }
    }
    return nullptr;
}

void SlideView::Select(const std::function<void()>& selection)
{
    try {
        selection();
    } catch (const host::HostError& error) {
        QMessageBox::warning(this, host::kTitle, QString::fromStdString(error.what()));
    }
    Reload();
    if (selectionChanged_) {
        selectionChanged_();
    }
}

void SlideView::mousePressEvent(QMouseEvent* event)
{
    if (!window_ || event->button() != Qt::LeftButton) {
        return;
    }
    const Outline* shape = ShapeAt(event->position());
    const bool add = event->modifiers() & Qt::ControlModifier;
    if (shape == nullptr) {
        if (!add) {
            Select([this] { pptx::ClearSelection(*window_); });
        }
        return;
    }
    Select([this, index = shape->index, add] { ShownSlide()->Shapes()->Item(index)->Select(!add); });
}

bool SlideView::focusNextPrevChild(bool next)
{
    if (!window_ || outlines_.empty()) {
        return QWidget::focusNextPrevChild(next);
    }
    const auto selected = std::find_if(outlines_.begin(), outlines_.end(), [](const Outline& outline) {
        return outline.selected;
    });
    const int count = static_cast<int>(outlines_.size());
    const int at = static_cast<int>(selected - outlines_.begin());
    const int following = selected == outlines_.end() ? (next ? 0 : count - 1) : (at + (next ? 1 : count - 1)) % count;
    Select([this, index = outlines_[static_cast<std::size_t>(following)].index] {
        ShownSlide()->Shapes()->Item(index)->Select(true);
    });
    return true;
}

void SlideView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const Outline* shape = window_ ? ShapeAt(event->position()) : nullptr;
    if (shape == nullptr || shape->children.empty()) {
        return;
    }
    for (auto child = shape->children.rbegin(); child != shape->children.rend(); ++child) {
        if (WidgetRect(*child).contains(event->position().toPoint())) {
            Select([this, group = shape->index, member = child->index] {
                ShownSlide()->Shapes()->Item(group)->GroupItems()->Item(member)->Select(true);
            });
            return;
        }
    }
}

}  // namespace velmora::studio
