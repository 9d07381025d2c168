#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QImage>
#include <QWidget>

#include "host/Application.hpp"

namespace velmora::studio {

// The slide of the window's view, large: its picture from the renderer and
// the outlines of its shapes from the host's geometry. A click selects the
// shape under the pointer, Ctrl-click adds it, a double-click selects the
// member of a group under the pointer; a click beside every shape clears
// the selection. The selection is the host window's own. Tab and Shift+Tab
// select the next and the previous shape, in the slide's order.
class SlideView : public QWidget {
public:
    struct Outline {
        int index = 0;  // in the slide's shapes, or in the group's items
        int id = 0;
        std::string name;
        QRectF points;
        bool selected = false;
        std::vector<Outline> children;  // members of a group
    };

    explicit SlideView(QWidget* parent = nullptr);

    // The window whose view is shown; null shows nothing.
    void Show(host::Ref<host::DocumentWindow> window);
    void SetPicture(const QImage& picture);
    // Reads the shapes and the selection again.
    void Reload();
    void SetSelectionChanged(std::function<void()> handler) { selectionChanged_ = std::move(handler); }

    const std::vector<Outline>& Outlines() const { return outlines_; }
    // Where a shape lies in this widget.
    QRect WidgetRect(const Outline& outline) const;
    // Where the slide lies on the screen.
    QRect SlideArea() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QRectF SlideRect() const;
    // The top shape under a point, and the member of it under the point.
    const Outline* ShapeAt(QPointF at) const;
    host::Ref<host::Slide> ShownSlide() const;
    void Select(const std::function<void()>& selection);

    host::Ref<host::DocumentWindow> window_;
    QImage picture_;
    QSizeF slideSize_{720, 540};
    std::vector<Outline> outlines_;
    std::function<void()> selectionChanged_;
};

}  // namespace velmora::studio
