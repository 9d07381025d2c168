#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "forms/FormDriver.hpp"

namespace velmora::studio {

class FormWindow;
class WindowPlaces;

// Shows forms as Qt windows. A modal form runs its own event loop until it
// is hidden or unloaded; a modeless one stays open and keeps working while
// the user goes on in the main window. User input runs through Dispatch,
// after which every open window shows what the handlers changed and windows
// whose forms were hidden or unloaded close.
class QtFormDriver : public forms::FormDriver {
public:
    explicit QtFormDriver(QWidget* owner = nullptr) : owner_(owner) {}
    ~QtFormDriver() override;
    QtFormDriver(const QtFormDriver&) = delete;
    QtFormDriver& operator=(const QtFormDriver&) = delete;

    void SetOwner(QWidget* owner) { owner_ = owner; }
    // Where modeless windows show, and where they were when they close.
    void SetPlaces(WindowPlaces* places) { places_ = places; }
    // Called before and after each input the forms handle (the studio keeps
    // what the input may change, and redraws slides after it).
    void SetBeforeInput(std::function<void()> beforeInput) { beforeInput_ = std::move(beforeInput); }
    void SetAfterInput(std::function<void()> afterInput) { afterInput_ = std::move(afterInput); }
    // Shows an error an event handler raised; a message box unless set.
    void SetErrorReport(std::function<void(const std::string&)> report) { errorReport_ = std::move(report); }

    void Run(forms::UserForm& form, bool modal) override;

    // Runs user input into the forms; an error it raises is shown, as the
    // runtime shows an error of an event handler.
    void Dispatch(const std::function<void()>& input);
    void Refresh();
    // Unloads the forms still open, as the host does when it closes.
    void UnloadAll();

    // The form's window stays above other windows, now and whenever it shows.
    void KeepOnTop(std::uintptr_t formHandle);
    // Closes the form's window as its close box does when it is the active
    // window; false when it is not.
    // The window system's id of a shown form's window.
    std::optional<unsigned long> NativeWindow(std::uintptr_t formHandle) const;
    bool CloseIfActive(std::uintptr_t formHandle);

    const std::vector<FormWindow*>& Windows() const { return windows_; }
    // The window of the form named so (any case); null when it is not open.
    FormWindow* Window(std::string_view formName) const;

private:
    void Close(FormWindow* window);

    QPointer<QWidget> owner_;
    WindowPlaces* places_ = nullptr;
    std::function<void()> beforeInput_;
    std::function<void()> afterInput_;
    std::function<void(const std::string&)> errorReport_;
    std::vector<FormWindow*> windows_;
    std::vector<FormWindow*> modal_;
    std::set<std::uintptr_t> onTop_;
};

}  // namespace velmora::studio
