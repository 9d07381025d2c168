#include "studio/QtFormDriver.hpp"

#include <algorithm>
#include <exception>

#include <QMessageBox>

#include "forms/OpenWindows.hpp"
#include "forms/UserForm.hpp"
#include "host/Prompts.hpp"
#include "platform/AsciiCase.hpp"
#include "studio/FormWindow.hpp"
#include "studio/WindowPlaces.hpp"

namespace velmora::studio {

QtFormDriver::~QtFormDriver()
{
    for (FormWindow* window : windows_) {
        delete window;
    }
}

void QtFormDriver::Run(forms::UserForm& form, bool modal)
{
    auto* window = new FormWindow(form, *this, owner_);
    windows_.push_back(window);
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop_.contains(form.WindowHandle()));
    window->Sync();
    if (!modal) {
        if (places_ != nullptr) {
            places_->Place(*window, form.Name());
        }
        window->show();
        return;
    }
    modal_.push_back(window);
    window->setModal(true);
    if (form.Shown()) {
        window->exec();
    }
    std::erase(modal_, window);
    std::erase(windows_, window);
    delete window;
}

void QtFormDriver::Dispatch(const std::function<void()>& input)
{
    try {
        if (beforeInput_) {
            beforeInput_();
        }
        input();
    } catch (const std::exception& error) {
        if (errorReport_) {
            errorReport_(error.what());
        } else {
            QMessageBox::critical(owner_, host::kTitle, QString::fromStdString(error.what()));
        }
    }
    Refresh();
    if (afterInput_) {
        afterInput_();
    }
}

void QtFormDriver::Refresh()
{
    forms::FollowForms(windows_, [this](FormWindow* window) { Close(window); });
}

void QtFormDriver::Close(FormWindow* window)
{
    if (std::find(modal_.begin(), modal_.end(), window) != modal_.end()) {
        // Run removes it once its event loop has ended.
        window->done(0);
        return;
    }
    std::erase(windows_, window);
    if (places_ != nullptr) {
        places_->Remember(*window, window->Form().Name());
    }
    window->hide();
    window->deleteLater();
}

void QtFormDriver::UnloadAll()
{
    const std::vector<FormWindow*> open = windows_;
    for (FormWindow* window : open) {
        window->Form().Unload();
    }
    Refresh();
}

void QtFormDriver::KeepOnTop(std::uintptr_t formHandle)
{
    onTop_.insert(formHandle);
    for (FormWindow* window : windows_) {
        if (window->Form().WindowHandle() == formHandle && !(window->windowFlags() & Qt::WindowStaysOnTopHint)) {
            const bool shown = window->isVisible();
            window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
            if (shown) {
                window->show();
            }
        }
    }
}

std::optional<unsigned long> QtFormDriver::NativeWindow(std::uintptr_t formHandle) const
{
    for (FormWindow* window : windows_) {
        if (window->Form().WindowHandle() == formHandle && window->isVisible()) {
            return static_cast<unsigned long>(window->winId());
        }
    }
    return std::nullopt;
}

bool QtFormDriver::CloseIfActive(std::uintptr_t formHandle)
{
    for (FormWindow* window : windows_) {
        if (window->Form().WindowHandle() == formHandle && window->isActiveWindow()) {
            window->close();
            return true;
        }
    }
    return false;
}

FormWindow* QtFormDriver::Window(std::string_view formName) const
{
    for (FormWindow* window : windows_) {
        if (platform::EqualIgnoringAsciiCase(window->Form().Name(), formName)) {
            return window;
        }
    }
    return nullptr;
}

}  // namespace velmora::studio
