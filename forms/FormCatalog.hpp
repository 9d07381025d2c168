#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "forms/FormDriver.hpp"
#include "forms/UserForm.hpp"
#include "host/Application.hpp"
#include "host/Services.hpp"

// Every form of the add-in, each entered by its own source unit, so that a
// listing of the dialogs cannot miss one.
namespace velmora::forms {

struct FormEntry {
    std::string_view form;     // "frm_setFont"
    std::string_view command;  // the ribbon command that shows it, "SetFont_main"
    // Makes the form as its command would, with nothing chosen before it.
    std::unique_ptr<UserForm> (*make)(FormDriver& driver, host::Application& application,
                                      const host::Services& services);
};

// A form's source unit holds one, so that the form enters the catalogue at start-up.
class FormRegistration {
public:
    explicit FormRegistration(const FormEntry& entry);
};

// The registered forms in name order.
const std::vector<FormEntry>& RegisteredForms();

}  // namespace velmora::forms
