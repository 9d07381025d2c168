#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/awt/XControl.hpp>
#include <com/sun/star/awt/XControlContainer.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <rtl/ref.hxx>

#include "forms/Control.hpp"
#include "impress/ControlListener.hpp"

namespace velmora::impress {

// What a control's binding needs from its dialog: the models' factory, the
// scale from points to the dialog's units and to pixels, and a way to run
// user input into the headless controls (the dialog then shows whatever the
// handlers changed).
class DialogSurface {
public:
    virtual ~DialogSurface() = default;
    virtual void Dispatch(const std::function<void()>& input) = 0;
    virtual css::uno::Reference<css::uno::XComponentContext> Office() const = 0;
    virtual css::uno::Reference<css::lang::XMultiServiceFactory> ModelFactory() const = 0;
    // Points from the dialog's top left corner in the dialog's own units.
    virtual css::awt::Point DialogUnits(float x, float y) const = 0;
    virtual double PixelsPerPoint() const = 0;
    // Where the container's children are measured from, in points within
    // the model container they are inserted in (frames are drawn flat).
    virtual std::pair<float, float> Origin(const forms::Container& container) const = 0;
};

// One control and the toolkit control model that shows it. The toolkit
// control's input is raised on the forms control as the runtime raises it;
// Sync writes the control's current properties into the model (only what
// changed), so the dialog shows them at once.
class UnoControlBinding {
public:
    UnoControlBinding(forms::Control& control, const char* service, DialogSurface& surface);
    virtual ~UnoControlBinding() = default;
    UnoControlBinding(const UnoControlBinding&) = delete;
    UnoControlBinding& operator=(const UnoControlBinding&) = delete;

    forms::Control& Control() const { return control_; }
    const css::uno::Reference<css::beans::XPropertySet>& Model() const { return model_; }
    // The toolkit control made from the model; null before Attach.
    const css::uno::Reference<css::awt::XControl>& Toolkit() const { return toolkit_; }
    // Where the models and controls of a frame's or page's children go;
    // null for other controls and containers.
    virtual css::uno::Reference<css::container::XNameContainer> ChildModels(const forms::Container&) const
    {
        return nullptr;
    }
    virtual css::uno::Reference<css::awt::XControlContainer> ChildControls(const forms::Container&) const
    {
        return nullptr;
    }
    // Where the children of a frame start, in points within the frame.
    virtual std::pair<float, float> ChildInset() const { return {0, 0}; }

    // Listens to the toolkit control made from the model.
    virtual void Attach(const css::uno::Reference<css::awt::XControl>& control);
    virtual void Sync();

protected:
    // Whether a press and release over it is the control's click (labels,
    // images, frames); buttons click through their own event.
    virtual bool ClicksOnRelease() const { return false; }
    virtual bool DrawsBackground() const { return true; }
    void Input(const std::function<void()>& input) { surface_.Dispatch(input); }
    // Writes a model property when its value differs.
    void Set(const char* property, const css::uno::Any& value) const;
    DialogSurface& Surface() const { return surface_; }
    ControlListener& Listener() const { return *listener_; }

    // Set while Sync writes to the model, so that the toolkit's change
    // events are not taken for user input.
    bool syncing_ = false;

private:
    void ListenToMouse();
    void SyncGeometry() const;
    void SyncFont() const;
    void SyncColours() const;

    forms::Control& control_;
    DialogSurface& surface_;
    css::uno::Reference<css::beans::XPropertySet> model_;
    css::uno::Reference<css::beans::XPropertySetInfo> properties_;
    css::uno::Reference<css::awt::XControl> toolkit_;
    rtl::Reference<ControlListener> listener_;
};

// The binding for a control of any kind, its model inserted into `models`.
std::unique_ptr<UnoControlBinding> BindUno(forms::Control& control, DialogSurface& surface);

// A caption for the toolkit, which takes "~" as the mark of the key that
// presses it with Alt: a literal "~" doubled, and the accelerator marked
// where the caption first shows it ("确定(~O)").
std::string MnemonicCaption(const forms::Control& control);

}  // namespace velmora::impress
