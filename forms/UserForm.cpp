#include "forms/UserForm.hpp"

#include <stdexcept>

#include "platform/AsciiCase.hpp"
#include "platform/CloseMatches.hpp"

namespace velmora::forms {

UserForm::UserForm(FormDriver& driver, std::string name) : Container(*this), driver_(driver), name_(std::move(name))
{
}

void UserForm::Load()
{
    if (state_ == State::Created) {
        state_ = State::Loaded;
        UserForm_Initialize();
    }
}

void UserForm::Show(bool modal)
{
    if (state_ == State::Unloaded) {
        throw std::logic_error("form " + name_ + " was unloaded and cannot be shown again");
    }
    Load();
    if (!IsLoaded() || visible_) {
        return;
    }
    visible_ = true;
    modal_ = modal;
    UserForm_Activate();
    driver_.Run(*this, modal);
}

void UserForm::Hide()
{
    visible_ = false;
}

void UserForm::Unload()
{
    if (state_ != State::Loaded) {
        return;
    }
    visible_ = false;
    state_ = State::Unloaded;
    UserForm_Terminate();
}

Control* UserForm::FindControl(std::string_view name) const
{
    for (Control* control : controls_) {
        if (platform::EqualIgnoringAsciiCase(control->Name(), name)) {
            return control;
        }
    }
    return nullptr;
}

Control& UserForm::Controls(std::string_view name) const
{
    if (Control* control = FindControl(name)) {
        return *control;
    }
    std::vector<std::string> names;
    for (const Control* control : controls_) {
        names.push_back(control->Name());
    }
    throw UnknownControl("form " + name_ + " has no control named \"" + std::string(name) + "\"" +
                         platform::DidYouMean(platform::CloseMatches(name, names)));
}

void UserForm::Register(std::unique_ptr<Control> control)
{
    if (control->Name().empty() || FindControl(control->Name()) != nullptr) {
        throw std::invalid_argument("form " + name_ + " cannot have another control named \"" + control->Name() +
                                    "\"");
    }
    controls_.push_back(control.get());
    owned_.push_back(std::move(control));
}

}  // namespace velmora::forms
