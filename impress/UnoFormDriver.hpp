#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <com/sun/star/awt/XWindowPeer.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "forms/FormDriver.hpp"

namespace velmora::impress {

class UnoFormWindow;

// Shows forms as dialogs of LibreOffice's own toolkit. A modal form runs
// the dialog's event loop until it is hidden or unloaded; a modeless one
// stays open and keeps working while the user goes on in Impress. User
// input runs through Dispatch, after which every open dialog shows what the
// handlers changed and dialogs whose forms were hidden or unloaded close.
class UnoFormDriver : public forms::FormDriver {
public:
    explicit UnoFormDriver(css::uno::Reference<css::uno::XComponentContext> office);
    ~UnoFormDriver() override;
    UnoFormDriver(const UnoFormDriver&) = delete;
    UnoFormDriver& operator=(const UnoFormDriver&) = delete;

    // The window the next dialogs belong to; null: none.
    void SetParent(css::uno::Reference<css::awt::XWindowPeer> parent) { parent_ = std::move(parent); }
    // Called after each input the forms handled (Impress records its changes).
    void SetAfterInput(std::function<void()> afterInput) { afterInput_ = std::move(afterInput); }
    // Shows an error an event handler raised, as the runtime shows one.
    void SetErrorReport(std::function<void(const std::string&)> report) { errorReport_ = std::move(report); }

    void Run(forms::UserForm& form, bool modal) override;

    // Runs user input into the forms; an error it raises is reported.
    void Dispatch(const std::function<void()>& input);
    void Refresh();
    // Unloads the forms still open, as the host does when it closes.
    void UnloadAll();
    bool AnyOpen() const { return !windows_.empty(); }
    // Closes the form's dialog as Esc does when it is the active window; true when it was.
    bool CloseIfActive(std::uintptr_t formHandle);
    // Keeps the form's dialog above other windows while it is open. The
    // toolkit has no such window: its X window is handed to `keepAbove`, and
    // a toolkit drawing in none (headless, Wayland) keeps nothing on top.
    void KeepOnTop(std::uintptr_t formHandle);
    void SetKeepAbove(std::function<void(unsigned long xWindow)> keepAbove) { keepAbove_ = std::move(keepAbove); }

    // The dialog of the form named so (any case); null when it is not open.
    UnoFormWindow* Window(std::string_view formName) const;

private:
    void Close(UnoFormWindow* window);
    void KeepAboveIfAsked(const UnoFormWindow& window) const;
    // Dialogs closed from their own event handlers go when the next one opens.
    void DisposeClosed();

    css::uno::Reference<css::uno::XComponentContext> office_;
    css::uno::Reference<css::awt::XWindowPeer> parent_;
    std::function<void()> afterInput_;
    std::function<void(const std::string&)> errorReport_;
    std::function<void(unsigned long)> keepAbove_;
    std::set<std::uintptr_t> onTop_;
    std::vector<UnoFormWindow*> windows_;
    std::vector<std::unique_ptr<UnoFormWindow>> owned_;
    std::vector<std::unique_ptr<UnoFormWindow>> closed_;
};

}  // namespace velmora::impress
