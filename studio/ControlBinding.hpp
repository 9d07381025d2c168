#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QObject>
#include <QWidget>

#include "forms/Control.hpp"

namespace velmora::studio {

// What a control's widget needs from its window: the scale from points to
// pixels, and a way to run user input into the headless controls (the
// window then shows whatever the handlers changed).
class FormSurface {
public:
    virtual ~FormSurface() = default;
    virtual void Dispatch(const std::function<void()>& input) = 0;
    virtual double PixelsPerPoint() const = 0;
};

// One control and the Qt widget that shows it. The widget's mouse, focus and
// key input is raised on the control as the runtime raises it; Sync draws the
// control's current properties onto the widget (only what changed).
class ControlBinding : public QObject {
public:
    ControlBinding(forms::Control& control, QWidget* widget, FormSurface& surface);

    forms::Control& Control() const { return control_; }
    QWidget* Widget() const { return widget_; }
    // Where children of a frame or a page go; null for other controls.
    virtual QWidget* ChildArea(const forms::Container& /*container*/) const { return nullptr; }

    virtual void Sync();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Whether a press and release over the widget is the control's click
    // (labels, images, frames); buttons click through their own signal.
    virtual bool ClicksOnRelease() const { return false; }
    void Input(const std::function<void()>& input) { surface_.Dispatch(input); }
    double Scale() const { return surface_.PixelsPerPoint(); }
    FormSurface& Surface() const { return surface_; }
    // The palette role colours are drawn from for this kind of widget.
    virtual void ApplyColours();

    // Set while Sync writes to the widget, so its change signals are not
    // taken for user input.
    bool syncing_ = false;

private:
    void ApplyGeometry();
    void ApplyFont();
    // The pointer the control asks for while the mouse is over it.
    void ApplyPointer();

    forms::Control& control_;
    QWidget* widget_;
    FormSurface& surface_;
    struct Drawn {
        float left = -1, top = -1, width = -1, height = -1;
        std::string fontName;
        float fontSize = -1;
        bool fontBold = false;
        host::Color back = -1, fore = -1;
        int backStyle = -1, effect = -1;
        int pointer = forms::MousePointer::Default;
    } drawn_;
};

// The binding for a control of any kind, its widget created in `parent`.
std::unique_ptr<ControlBinding> Bind(forms::Control& control, QWidget* parent, FormSurface& surface);

}  // namespace velmora::studio
