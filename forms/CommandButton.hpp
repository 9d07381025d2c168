#pragma once

#include "forms/Control.hpp"

namespace velmora::forms {

// At most one button of a form is its Default (Enter) and one its Cancel
// (Esc): setting the flag on one clears it on the others.
class CommandButton : public Control {
public:
    using Control::Control;
    std::string_view TypeName() const override { return "CommandButton"; }

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value);
    bool TakeFocusOnClick() const { return takeFocusOnClick_; }
    void SetTakeFocusOnClick(bool value) { takeFocusOnClick_ = value; }

private:
    bool default_ = false;
    bool cancel_ = false;
    bool takeFocusOnClick_ = true;
};

}  // namespace velmora::forms
