#include "impress/UnoFormDriver.hpp"

#include <algorithm>
#include <exception>

#include <com/sun/star/awt/SystemDependentXWindow.hpp>
#include <com/sun/star/awt/XSystemDependentWindowPeer.hpp>
#include <com/sun/star/awt/XWindow2.hpp>
#include <com/sun/star/lang/SystemDependent.hpp>
#include <rtl/process.h>

#include "forms/OpenWindows.hpp"
#include "forms/UserForm.hpp"
#include "impress/UnoFormWindow.hpp"
#include "platform/AsciiCase.hpp"

namespace velmora::impress {

UnoFormDriver::UnoFormDriver(css::uno::Reference<css::uno::XComponentContext> office) : office_(std::move(office))
{
}

UnoFormDriver::~UnoFormDriver() = default;

void UnoFormDriver::Run(forms::UserForm& form, bool modal)
{
    DisposeClosed();
    auto window = std::make_unique<UnoFormWindow>(form, *this, office_, parent_);
    UnoFormWindow* shown = window.get();
    windows_.push_back(shown);
    shown->Sync();
    KeepAboveIfAsked(*shown);
    if (!modal) {
        owned_.push_back(std::move(window));
        shown->Show();
        return;
    }
    shown->Execute();
    std::erase(windows_, shown);
}

void UnoFormDriver::Dispatch(const std::function<void()>& input)
{
    try {
        input();
    } catch (const std::exception& error) {
        if (errorReport_) {
            errorReport_(error.what());
        }
    }
    Refresh();
    if (afterInput_) {
        afterInput_();
    }
}

void UnoFormDriver::Refresh()
{
    forms::FollowForms(windows_, [this](UnoFormWindow* window) { Close(window); });
}

void UnoFormDriver::Close(UnoFormWindow* window)
{
    std::erase(windows_, window);
    onTop_.erase(window->Form().WindowHandle());
    window->Close();
    const auto owned = std::find_if(owned_.begin(), owned_.end(), [window](const auto& kept) {
        return kept.get() == window;
    });
    if (owned != owned_.end()) {
        closed_.push_back(std::move(*owned));
        owned_.erase(owned);
    }
}

void UnoFormDriver::DisposeClosed()
{
    closed_.clear();
}

void UnoFormDriver::UnloadAll()
{
    const std::vector<UnoFormWindow*> open = windows_;
    for (UnoFormWindow* window : open) {
        window->Form().Unload();
    }
    Refresh();
    DisposeClosed();
}

bool UnoFormDriver::CloseIfActive(std::uintptr_t formHandle)
{
    for (UnoFormWindow* window : windows_) {
        const css::uno::Reference<css::awt::XWindow2> dialog(window->Dialog()->getPeer(), css::uno::UNO_QUERY);
        if (window->Form().WindowHandle() == formHandle && dialog.is() && dialog->isActive()) {
            Dispatch([window] { window->CloseBox(); });
            return true;
        }
    }
    return false;
}

void UnoFormDriver::KeepOnTop(std::uintptr_t formHandle)
{
    onTop_.insert(formHandle);
    for (const UnoFormWindow* window : windows_) {
        KeepAboveIfAsked(*window);
    }
}

// Asked before the dialog is shown, so that it maps above the others.
void UnoFormDriver::KeepAboveIfAsked(const UnoFormWindow& window) const
{
    const css::uno::Reference<css::awt::XSystemDependentWindowPeer> peer(window.Dialog()->getPeer(),
                                                                        css::uno::UNO_QUERY);
    if (!keepAbove_ || !onTop_.contains(window.Form().WindowHandle()) || !peer.is()) {
        return;
    }
    sal_uInt8 process[16];
    rtl_getGlobalProcessId(process);
    const css::uno::Any handle = peer->getWindowHandle(
        css::uno::Sequence<sal_Int8>(reinterpret_cast<const sal_Int8*>(process), 16),
        css::lang::SystemDependent::SYSTEM_XWINDOW);
    css::awt::SystemDependentXWindow drawn;
    if ((handle >>= drawn) && drawn.WindowHandle != 0) {
        keepAbove_(static_cast<unsigned long>(drawn.WindowHandle));
    }
}

UnoFormWindow* UnoFormDriver::Window(std::string_view formName) const
{
    for (UnoFormWindow* window : windows_) {
        if (platform::EqualIgnoringAsciiCase(window->Form().Name(), formName)) {
            return window;
        }
    }
    return nullptr;
}

}  // namespace velmora::impress
