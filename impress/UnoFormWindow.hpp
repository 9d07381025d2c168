#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include <com/sun/star/awt/XControl.hpp>
#include <com/sun/star/awt/XControlContainer.hpp>
#include <com/sun/star/awt/XWindowPeer.hpp>
#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <rtl/ref.hxx>

#include "forms/UserForm.hpp"
#include "impress/UnoControlBinding.hpp"

namespace velmora::impress {

class UnoFormDriver;

// The dialog of one shown form in LibreOffice's toolkit: an
// UnoControlDialog whose model holds a control model for each control, at
// the form's positions in points converted to the dialog's units. The
// dialog's own surface raises the form's mouse events; closing it (its
// close box, Esc) presses the Cancel button, or unloads a form without one;
// Enter presses the Default button.
class UnoFormWindow : public DialogSurface {
public:
    UnoFormWindow(forms::UserForm& form, UnoFormDriver& driver,
                  css::uno::Reference<css::uno::XComponentContext> office,
                  const css::uno::Reference<css::awt::XWindowPeer>& parent);
    ~UnoFormWindow() override;
    UnoFormWindow(const UnoFormWindow&) = delete;
    UnoFormWindow& operator=(const UnoFormWindow&) = delete;

    forms::UserForm& Form() const { return form_; }
    const css::uno::Reference<css::awt::XControl>& Dialog() const { return dialog_; }
    // The binding of a control, by name without regard to case; null when none.
    const UnoControlBinding* Binding(std::string_view control) const;

    // Draws every property the program may have changed.
    void Sync();
    // Runs the dialog's own event loop until the form is hidden or unloaded.
    void Execute();
    void Show();
    // Takes the dialog down once its form is hidden or unloaded.
    void Close();
    // What the close box and Esc do.
    void CloseBox();

    void Dispatch(const std::function<void()>& input) override;
    css::uno::Reference<css::uno::XComponentContext> Office() const override { return office_; }
    css::uno::Reference<css::lang::XMultiServiceFactory> ModelFactory() const override;
    css::awt::Point DialogUnits(float x, float y) const override;
    double PixelsPerPoint() const override { return pixelsPerPoint_; }
    std::pair<float, float> Origin(const forms::Container& container) const override;

private:
    void InsertModels();
    bool Overlap(const forms::Control& a, const forms::Control& b) const;
    void CreateDialog(const css::uno::Reference<css::awt::XWindowPeer>& parent);
    void MeasureUnits();
    void ListenToSurface();
    const UnoControlBinding* BindingOf(const forms::Control& control) const;
    css::uno::Reference<css::container::XNameContainer> ModelsOf(const forms::Container& container) const;
    css::uno::Reference<css::awt::XControlContainer> ControlsOf(const forms::Container& container) const;

    forms::UserForm& form_;
    UnoFormDriver& driver_;
    css::uno::Reference<css::uno::XComponentContext> office_;
    css::uno::Reference<css::beans::XPropertySet> model_;
    css::uno::Reference<css::awt::XControl> dialog_;
    std::vector<std::unique_ptr<UnoControlBinding>> bindings_;
    rtl::Reference<ControlListener> surfaceListener_;
    double pixelsPerPoint_ = 96.0 / 72.0;
    double unitsPerPointX_ = 1;
    double unitsPerPointY_ = 1;
    bool executing_ = false;
};

}  // namespace velmora::impress
