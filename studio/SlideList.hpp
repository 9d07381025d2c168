#pragma once

#include <functional>
#include <vector>

#include <QImage>
#include <QListWidget>

namespace velmora::studio {

// The slides as thumbnails. A click selects one slide and shows it;
// Ctrl-click adds a slide to the selection or takes it out, keeping the
// order of the clicks, which is the order the tools see. Shift-click selects
// the slides from the last one chosen alone. The arrow keys, Home, End, Page
// Up and Page Down move to another slide, with Shift extending the selection.
class SlideList : public QListWidget {
public:
    // The slides selected, numbered from 1 in the order clicked, and the slide clicked.
    using SelectHandler = std::function<void(const std::vector<int>& order, int clicked)>;

    explicit SlideList(QWidget* parent = nullptr);

    void SetSelectHandler(SelectHandler handler) { onSelect_ = std::move(handler); }
    void Reset(int slideCount);
    void SetPicture(int slide, const QImage& picture);
    // Shows a selection made elsewhere (by the host or a command).
    void ShowSelection(const std::vector<int>& order);
    // The slide shown, where the keys move from.
    void SetCurrent(int slide);
    const std::vector<int>& Order() const { return order_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Choose(int slide, Qt::KeyboardModifiers modifiers);
    // The slide a navigation key leads to; 0 for other keys.
    int Target(int key) const;

    SelectHandler onSelect_;
    std::vector<int> order_;
    int current_ = 0;
    int anchor_ = 0;
};

}  // namespace velmora::studio
