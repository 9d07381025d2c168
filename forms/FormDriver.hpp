#pragma once

namespace velmora::forms {

class UserForm;

// Whoever lets a user work a shown form: a script, later a window toolkit.
// UserForm::Show calls Run once the form is visible and activated. For a
// modal form Run returns when the form is hidden or unloaded; a driver may
// return earlier for a modeless one.
class FormDriver {
public:
    virtual ~FormDriver() = default;
    virtual void Run(UserForm& form, bool modal) = 0;
};

}  // namespace velmora::forms
