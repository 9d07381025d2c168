#pragma once

#include "forms/FormDriver.hpp"

namespace velmora::impress {

// Impress draws no Velmora dialogs yet: a dialog command stops with a message
// the user can read instead of showing nothing.
class NoDialogs : public forms::FormDriver {
public:
    void Run(forms::UserForm& form, bool modal) override;
};

}  // namespace velmora::impress
