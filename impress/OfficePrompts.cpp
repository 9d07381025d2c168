#include "impress/OfficePrompts.hpp"

#include <algorithm>

#include <com/sun/star/awt/MessageBoxButtons.hpp>
#include <com/sun/star/awt/MessageBoxResults.hpp>
#include <com/sun/star/awt/MessageBoxType.hpp>
#include <com/sun/star/awt/PushButtonType.hpp>
#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/XControl.hpp>
#include <com/sun/star/awt/XControlContainer.hpp>
#include <com/sun/star/awt/XDialog.hpp>
#include <com/sun/star/awt/XMessageBox.hpp>
#include <com/sun/star/awt/XMessageBoxFactory.hpp>
#include <com/sun/star/awt/XTextComponent.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/uno/Sequence.hxx>
#include <com/sun/star/beans/XPropertyAccess.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/cui/ColorPicker.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/ui/dialogs/ExecutableDialogResults.hpp>
#include <com/sun/star/ui/dialogs/FilePicker.hpp>
#include <com/sun/star/ui/dialogs/TemplateDescription.hpp>
#include <com/sun/star/ui/dialogs/XFilterManager.hpp>
#include <osl/file.hxx>

#include "impress/UnoText.hpp"
#include "impress/host/LiveDocument.hpp"

namespace velmora::impress {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

css::awt::MessageBoxType BoxType(int style)
{
    switch (style) {
    case host::MsgStyle::Critical:
        return css::awt::MessageBoxType_ERRORBOX;
    case host::MsgStyle::Exclamation:
        return css::awt::MessageBoxType_WARNINGBOX;
    case host::MsgStyle::Information:
        return css::awt::MessageBoxType_INFOBOX;
    case host::MsgStyle::YesNo:
        return css::awt::MessageBoxType_QUERYBOX;
    default:
        return css::awt::MessageBoxType_MESSAGEBOX;
    }
}

// The tools break lines with CR, the toolkit with LF.
rtl::OUString Lines(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', '\n');
    return ToUno(text);
}

void SetProperty(const Reference<css::uno::XInterface>& object, const char* name, const Any& value)
{
    Reference<css::beans::XPropertySet>(object, UNO_QUERY_THROW)
        ->setPropertyValue(rtl::OUString::createFromAscii(name), value);
}

// A control model placed on the dialog, in the dialog's font units.
Reference<css::uno::XInterface> AddControl(const Reference<css::uno::XInterface>& dialogModel, const char* kind,
                                           const char* name, sal_Int32 x, sal_Int32 y, sal_Int32 width,
                                           sal_Int32 height)
{
    const Reference<css::uno::XInterface> model =
        Reference<css::lang::XMultiServiceFactory>(dialogModel, UNO_QUERY_THROW)
            ->createInstance(rtl::OUString::createFromAscii(kind));
    SetProperty(model, "PositionX", Any(x));
    SetProperty(model, "PositionY", Any(y));
    SetProperty(model, "Width", Any(width));
    SetProperty(model, "Height", Any(height));
    Reference<css::container::XNameContainer>(dialogModel, UNO_QUERY_THROW)
        ->insertByName(rtl::OUString::createFromAscii(name), Any(model));
    return model;
}

}  // namespace

OfficePrompts::OfficePrompts(Reference<css::uno::XComponentContext> office, Reference<css::frame::XFrame> frame)
    : office_(std::move(office)), frame_(std::move(frame))
{
}

// None while a document is still being opened.
Reference<css::awt::XWindow> OfficePrompts::ParentWindow() const
{
    return frame_.is() ? frame_->getContainerWindow() : nullptr;
}

int OfficePrompts::MsgBox(const std::string& prompt, int style, const std::string& title)
{
    const Reference<css::awt::XMessageBoxFactory> factory(css::awt::Toolkit::create(office_), UNO_QUERY_THROW);
    const Reference<css::awt::XWindowPeer> parent(ParentWindow(), UNO_QUERY);
    // Enter answers Yes, as the platform's box of this style does; the toolkit's own default is No.
    const auto buttons =
        style == host::MsgStyle::YesNo
            ? css::awt::MessageBoxButtons::BUTTONS_YES_NO | css::awt::MessageBoxButtons::DEFAULT_BUTTON_YES
            : css::awt::MessageBoxButtons::BUTTONS_OK;
    const auto box = factory->createMessageBox(parent, BoxType(style), buttons, ToUno(title), Lines(prompt));
    switch (box->execute()) {
    case css::awt::MessageBoxResults::YES:
        return host::MsgAnswer::Yes;
    case css::awt::MessageBoxResults::NO:
        return host::MsgAnswer::No;
    default:
        return host::MsgAnswer::Ok;
    }
}

std::string OfficePrompts::InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText)
{
    const auto services = office_->getServiceManager();
    const Reference<css::uno::XInterface> model =
        services->createInstanceWithContext("com.sun.star.awt.UnoControlDialogModel", office_);
    SetProperty(model, "Width", Any(sal_Int32(220)));
    SetProperty(model, "Height", Any(sal_Int32(80)));
    SetProperty(model, "Title", Any(ToUno(title)));
    const auto label = AddControl(model, "com.sun.star.awt.UnoControlFixedTextModel", "Prompt", 6, 6, 150, 40);
    SetProperty(label, "Label", Any(Lines(prompt)));
    // Not the entry's label: the toolkit would add an accelerator of its own ("(A)").
    SetProperty(label, "NoLabel", Any(true));
    SetProperty(AddControl(model, "com.sun.star.awt.UnoControlEditModel", "Entry", 6, 58, 208, 14), "Text",
                Any(ToUno(defaultText)));
    const auto ok = AddControl(model, "com.sun.star.awt.UnoControlButtonModel", "OK", 164, 6, 50, 14);
    SetProperty(ok, "Label", Any(ToUno("确定")));
    SetProperty(ok, "PushButtonType", Any(sal_Int16(css::awt::PushButtonType_OK)));
    SetProperty(ok, "DefaultButton", Any(true));
    const auto cancel = AddControl(model, "com.sun.star.awt.UnoControlButtonModel", "Cancel", 164, 24, 50, 14);
    SetProperty(cancel, "Label", Any(ToUno("取消")));
    SetProperty(cancel, "PushButtonType", Any(sal_Int16(css::awt::PushButtonType_CANCEL)));

    const Reference<css::awt::XControl> dialog(
        services->createInstanceWithContext("com.sun.star.awt.UnoControlDialog", office_), UNO_QUERY_THROW);
    dialog->setModel(Reference<css::awt::XControlModel>(model, UNO_QUERY_THROW));
    dialog->createPeer(Reference<css::awt::XToolkit>(css::awt::Toolkit::create(office_), UNO_QUERY),
                       Reference<css::awt::XWindowPeer>(ParentWindow(), UNO_QUERY));
    const bool confirmed = Reference<css::awt::XDialog>(dialog, UNO_QUERY_THROW)->execute() == 1;
    const Reference<css::awt::XTextComponent> entry(
        Reference<css::awt::XControlContainer>(dialog, UNO_QUERY_THROW)->getControl("Entry"), UNO_QUERY_THROW);
    const std::string text = confirmed ? FromUno(entry->getText()) : "";
    Reference<css::lang::XComponent>(dialog, UNO_QUERY_THROW)->dispose();
    return text;
}

std::optional<std::string> OfficePrompts::PickFile(const std::string& title,
                                                   const std::vector<host::FileFilter>& filters)
{
    const auto picker =
        css::ui::dialogs::FilePicker::createWithMode(office_, css::ui::dialogs::TemplateDescription::FILEOPEN_SIMPLE);
    picker->setTitle(ToUno(title));
    const Reference<css::ui::dialogs::XFilterManager> manager(picker, UNO_QUERY);
    for (const host::FileFilter& filter : filters) {
        if (manager.is()) {
            manager->appendFilter(ToUno(filter.description), ToUno(filter.extensions));
        }
    }
    if (picker->execute() != css::ui::dialogs::ExecutableDialogResults::OK ||
        !picker->getSelectedFiles().hasElements()) {
        return std::nullopt;
    }
    rtl::OUString path;
    if (osl::FileBase::getSystemPathFromFileURL(picker->getSelectedFiles()[0], path) != osl::FileBase::E_None) {
        return std::nullopt;
    }
    return FromUno(path);
}

std::optional<host::Color> OfficePrompts::ChooseColor(host::Color initial, std::array<host::Color, 16>&)
{
    const auto chooser = css::cui::ColorPicker::createWithParent(office_, ParentWindow());
    const Reference<css::beans::XPropertyAccess> values(chooser, UNO_QUERY_THROW);
    values->setPropertyValues(SequenceOf({Named("Color", Any(UnoFromColor(initial)))}));
    if (chooser->execute() != css::ui::dialogs::ExecutableDialogResults::OK) {
        return std::nullopt;
    }
    for (const css::beans::PropertyValue& value : values->getPropertyValues()) {
        sal_Int32 chosen = 0;
        if (value.Name == "Color" && (value.Value >>= chosen)) {
            return ColorFromUno(chosen);
        }
    }
    return std::nullopt;
}

}  // namespace velmora::impress
