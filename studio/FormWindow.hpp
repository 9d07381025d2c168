#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include <QDialog>

#include "forms/UserForm.hpp"
#include "studio/ControlBinding.hpp"

namespace velmora::studio {

class QtFormDriver;

// The window of one shown form: every control as its widget at the form's
// positions, scaled from points to the screen. The form's own surface
// raises the form's mouse events; closing the window unloads the form, Esc
// presses the Cancel button (or closes a modeless form that has none) and
// Enter the Default one.
class FormWindow : public QDialog, public FormSurface {
public:
    FormWindow(forms::UserForm& form, QtFormDriver& driver, QWidget* parent);
    ~FormWindow() override;

    forms::UserForm& Form() const { return form_; }
    // Draws every property the program may have changed.
    void Sync();
    // The widget of a control, by name without regard to case; null when none.
    QWidget* Widget(std::string_view control) const;

    void Dispatch(const std::function<void()>& input) override;
    double PixelsPerPoint() const override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QWidget* AreaFor(const forms::Container& container) const;
    void RaiseMouse(QMouseEvent* event, void (forms::ControlEvents::*fire)(int, int, float, float) const, int button);

    forms::UserForm& form_;
    QtFormDriver& driver_;
    std::vector<std::unique_ptr<ControlBinding>> bindings_;
};

}  // namespace velmora::studio
