#pragma once

#include "forms/Control.hpp"

namespace velmora::forms {

// A control whose Value is true or false. Setting Value fires Change, then
// Click, and only when the value really changes; a user's click toggles it.
class ToggleControl : public Control {
public:
    using Control::Control;

    bool Value() const { return value_; }
    virtual void SetValue(bool value);
    void PerformClick() override;

protected:
    // Stores value; false when it was already so.
    bool Store(bool value);

private:
    bool value_ = false;
};

}  // namespace velmora::forms
