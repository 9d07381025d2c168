#include "impress/UnoFormWindow.hpp"

#include <cmath>

#include <com/sun/star/awt/DeviceInfo.hpp>
#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/XDevice.hpp>
#include <com/sun/star/awt/XDialog.hpp>
#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XUnitConversion.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/util/MeasureUnit.hpp>

#include "forms/CommandButton.hpp"
#include "forms/Frame.hpp"
#include "impress/UnoFormDriver.hpp"
#include "impress/UnoText.hpp"
#include "impress/host/LiveDocument.hpp"
#include "platform/AsciiCase.hpp"

namespace velmora::impress {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

// Enough points that the conversion to whole pixels and units loses nothing visible.
constexpr sal_Int32 kSamplePoints = 7200;
constexpr double kPointsPerMetre = 72 / 0.0254;

}  // namespace

UnoFormWindow::UnoFormWindow(forms::UserForm& form, UnoFormDriver& driver, Reference<css::uno::XComponentContext> office,
                             const Reference<css::awt::XWindowPeer>& parent)
    : form_(form), driver_(driver), office_(std::move(office)), surfaceListener_(new ControlListener)
{
    model_.set(office_->getServiceManager()->createInstanceWithContext("com.sun.star.awt.UnoControlDialogModel",
                                                                        office_),
               UNO_QUERY_THROW);
    model_->setPropertyValue("Name", Any(ToUno(form_.Name())));
    for (forms::Control* control : form_.Controls()) {
        bindings_.push_back(BindUno(*control, *this));
    }
    InsertModels();
    CreateDialog(parent);
    MeasureUnits();
    for (const auto& binding : bindings_) {
        const forms::Control& control = binding->Control();
        binding->Attach(ControlsOf(control.Parent())->getControl(ToUno(control.Name())));
    }
    ListenToSurface();
}

UnoFormWindow::~UnoFormWindow()
{
    Reference<css::lang::XComponent>(dialog_, UNO_QUERY_THROW)->dispose();
}

// The toolkit draws a control inserted into a container above those inserted
// after it, and moves between them in that order with Tab; the forms draw a
// later control above an earlier one it overlaps (a frame's children above
// the frame, here its plain box). So a control goes in before the earlier
// ones it overlaps, and otherwise in the order of creation.
void UnoFormWindow::InsertModels()
{
    const std::size_t count = bindings_.size();
    std::vector<std::vector<std::size_t>> below(count);
    std::vector<int> above(count, 0);
    for (std::size_t later = 0; later < count; ++later) {
        for (std::size_t earlier = 0; earlier < later; ++earlier) {
            if (Overlap(bindings_[earlier]->Control(), bindings_[later]->Control())) {
                below[later].push_back(earlier);
                ++above[earlier];
            }
        }
    }
    std::vector<bool> inserted(count, false);
    for (std::size_t done = 0; done < count; ++done) {
        std::size_t next = 0;
        while (inserted[next] || above[next] > 0) {
            ++next;
        }
        inserted[next] = true;
        for (const std::size_t covered : below[next]) {
            --above[covered];
        }
        const forms::Control& control = bindings_[next]->Control();
        ModelsOf(control.Parent())->insertByName(ToUno(control.Name()), Any(bindings_[next]->Model()));
    }
}

// Two controls drawn in one container whose boxes share some area.
bool UnoFormWindow::Overlap(const forms::Control& a, const forms::Control& b) const
{
    if (ModelsOf(a.Parent()) != ModelsOf(b.Parent())) {
        return false;
    }
    const auto [aLeft, aTop] = Origin(a.Parent());
    const auto [bLeft, bTop] = Origin(b.Parent());
    return aLeft + a.Left() < bLeft + b.Left() + b.Width() && bLeft + b.Left() < aLeft + a.Left() + a.Width() &&
           aTop + a.Top() < bTop + b.Top() + b.Height() && bTop + b.Top() < aTop + a.Top() + a.Height();
}

void UnoFormWindow::CreateDialog(const Reference<css::awt::XWindowPeer>& parent)
{
    dialog_.set(office_->getServiceManager()->createInstanceWithContext("com.sun.star.awt.UnoControlDialog", office_),
                UNO_QUERY_THROW);
    dialog_->setModel(Reference<css::awt::XControlModel>(model_, UNO_QUERY_THROW));
    const Reference<css::awt::XToolkit> toolkit(css::awt::Toolkit::create(office_), UNO_QUERY_THROW);
    dialog_->createPeer(toolkit, parent);
}

// Points become pixels by the screen's resolution, and pixels the
// dialog's units (a quarter and an eighth of its font's average letter).
void UnoFormWindow::MeasureUnits()
{
    const Reference<css::awt::XDevice> device(dialog_->getPeer(), UNO_QUERY_THROW);
    const css::awt::DeviceInfo info = device->getInfo();
    if (info.PixelPerMeterX > 0) {
        pixelsPerPoint_ = info.PixelPerMeterX / kPointsPerMetre;
    }
    const auto pixels = static_cast<sal_Int32>(kSamplePoints * pixelsPerPoint_);
    const css::awt::Size units = Reference<css::awt::XUnitConversion>(dialog_, UNO_QUERY_THROW)
                                     ->convertSizeToLogic({pixels, pixels}, css::util::MeasureUnit::APPFONT);
    unitsPerPointX_ = static_cast<double>(units.Width) / kSamplePoints;
    unitsPerPointY_ = static_cast<double>(units.Height) / kSamplePoints;
}

void UnoFormWindow::ListenToSurface()
{
    ControlListener& listener = *surfaceListener_;
    const auto mouse = [this](void (forms::ControlEvents::*fire)(int, int, float, float) const) {
        return [this, fire](const css::awt::MouseEvent& event) {
            const int button = event.Buttons;
            const float x = static_cast<float>(event.X / pixelsPerPoint_);
            const float y = static_cast<float>(event.Y / pixelsPerPoint_);
            Dispatch([this, fire, button, shift = static_cast<int>(event.Modifiers), x, y] {
                (form_.events.*fire)(button, shift, x, y);
            });
        };
    };
    listener.pressed = mouse(&forms::ControlEvents::FireMouseDown);
    listener.moved = mouse(&forms::ControlEvents::FireMouseMove);
    listener.released = [this, up = mouse(&forms::ControlEvents::FireMouseUp)](const css::awt::MouseEvent& event) {
        up(event);
        Dispatch([this] { form_.events.FireClick(); });
    };
    listener.closing = [this] { Dispatch([this] { CloseBox(); }); };
    const Reference<css::awt::XWindow> window(dialog_, UNO_QUERY_THROW);
    window->addMouseListener(surfaceListener_.get());
    window->addMouseMotionListener(surfaceListener_.get());
    Reference<css::awt::XTopWindow>(dialog_->getPeer(), UNO_QUERY_THROW)->addTopWindowListener(surfaceListener_.get());
}

const UnoControlBinding* UnoFormWindow::Binding(std::string_view control) const
{
    for (const auto& binding : bindings_) {
        if (platform::EqualIgnoringAsciiCase(binding->Control().Name(), control)) {
            return binding.get();
        }
    }
    return nullptr;
}

const UnoControlBinding* UnoFormWindow::BindingOf(const forms::Control& control) const
{
    for (const auto& binding : bindings_) {
        if (&binding->Control() == &control) {
            return binding.get();
        }
    }
    return nullptr;
}

Reference<css::container::XNameContainer> UnoFormWindow::ModelsOf(const forms::Container& container) const
{
    if (const auto* frame = dynamic_cast<const forms::Frame*>(&container)) {
        return ModelsOf(frame->Parent());
    }
    for (const auto& binding : bindings_) {
        if (auto models = binding->ChildModels(container); models.is()) {
            return models;
        }
    }
    return Reference<css::container::XNameContainer>(model_, UNO_QUERY_THROW);
}

Reference<css::awt::XControlContainer> UnoFormWindow::ControlsOf(const forms::Container& container) const
{
    if (const auto* frame = dynamic_cast<const forms::Frame*>(&container)) {
        return ControlsOf(frame->Parent());
    }
    for (const auto& binding : bindings_) {
        if (auto controls = binding->ChildControls(container); controls.is()) {
            return controls;
        }
    }
    return Reference<css::awt::XControlContainer>(dialog_, UNO_QUERY_THROW);
}

std::pair<float, float> UnoFormWindow::Origin(const forms::Container& container) const
{
    const auto* frame = dynamic_cast<const forms::Frame*>(&container);
    if (frame == nullptr) {
        return {0, 0};
    }
    const auto [left, top] = Origin(frame->Parent());
    const UnoControlBinding* binding = BindingOf(*frame);
    const auto [insetX, insetY] = binding ? binding->ChildInset() : std::pair<float, float>{0, 0};
    return {left + frame->Left() + insetX, top + frame->Top() + insetY};
}

Reference<css::lang::XMultiServiceFactory> UnoFormWindow::ModelFactory() const
{
    return Reference<css::lang::XMultiServiceFactory>(model_, UNO_QUERY_THROW);
}

css::awt::Point UnoFormWindow::DialogUnits(float x, float y) const
{
    return {static_cast<sal_Int32>(std::lround(x * unitsPerPointX_)),
            static_cast<sal_Int32>(std::lround(y * unitsPerPointY_))};
}

void UnoFormWindow::Sync()
{
    const auto set = [this](const char* property, const Any& value) {
        if (model_->getPropertyValue(rtl::OUString::createFromAscii(property)) != value) {
            model_->setPropertyValue(rtl::OUString::createFromAscii(property), value);
        }
    };
    set("Title", Any(ToUno(form_.Caption())));
    const css::awt::Point size = DialogUnits(form_.Width(), form_.Height());
    set("Width", Any(size.X));
    set("Height", Any(size.Y));
    set("BackgroundColor", Any(UnoFromColor(form_.BackColor())));
    for (const auto& binding : bindings_) {
        binding->Sync();
    }
}

void UnoFormWindow::Execute()
{
    const Reference<css::awt::XDialog> dialog(dialog_, UNO_QUERY_THROW);
    executing_ = true;
    while (form_.Shown()) {
        dialog->execute();
        // The toolkit ended the dialog itself (Esc, its close box, or a
        // headless office that shows no dialogs).
        if (form_.Shown()) {
            Dispatch([this] { CloseBox(); });
        }
    }
    executing_ = false;
}

void UnoFormWindow::Show()
{
    Reference<css::awt::XWindow>(dialog_, UNO_QUERY_THROW)->setVisible(true);
}

void UnoFormWindow::Close()
{
    if (executing_) {
        Reference<css::awt::XDialog>(dialog_, UNO_QUERY_THROW)->endExecute();
    } else {
        Reference<css::awt::XWindow>(dialog_, UNO_QUERY_THROW)->setVisible(false);
    }
}

void UnoFormWindow::CloseBox()
{
    for (forms::Control* control : form_.Controls()) {
        if (auto* button = dynamic_cast<forms::CommandButton*>(control); button && button->Cancel()) {
            if (button->Operable()) {
                button->PerformClick();
            }
            break;
        }
    }
    // A form its Cancel button left open closes as its close box closes it.
    if (form_.Shown()) {
        form_.Unload();
    }
}

void UnoFormWindow::Dispatch(const std::function<void()>& input)
{
    driver_.Dispatch(input);
}

}  // namespace velmora::impress
