#pragma once

#include <QFrame>
#include <QString>

namespace velmora::studio {

// A forms frame as the runtime draws it: an etched border whose caption
// sits in its top edge, the line running through the caption's middle, and
// inside the border the area that holds the children at their positions.
class CaptionedFrame : public QFrame {
public:
    explicit CaptionedFrame(QWidget* parent);

    void SetCaption(const QString& caption);
    const QString& Caption() const { return caption_; }
    // Where the children go: below the border and the caption's upper half.
    QWidget* Inside() const { return inside_; }
    // The caption's letters, in the frame's coordinates; empty without one.
    QRect CaptionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The height of the border's top line.
    int BorderTop() const;
    void PlaceInside();

    QString caption_;
    QWidget* inside_;
};

}  // namespace velmora::studio
