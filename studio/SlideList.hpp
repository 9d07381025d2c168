#pragma once

#include <functional>
#include <vector>

#include <QImage>
#include <QListWidget>

namespace velmora::studio {

// The slides as thumbnails. A click selects one slide and shows it;
// Ctrl-click adds a slide to the selection or takes it out, keeping the
// order of the clicks, which is the order the tools see.
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
    const std::vector<int>& Order() const { return order_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    SelectHandler onSelect_;
    std::vector<int> order_;
};

}  // namespace velmora::studio
