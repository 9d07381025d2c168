#pragma once

#include <string>

#include "forms/ToggleControl.hpp"

namespace velmora::forms {

// One choice of a group: the option buttons of the whole form that share a
// GroupName or, without one, the option buttons of the same container that
// have none. Selecting one first stores its value, then clears the others
// (each firing its Change), then fires its own Change and Click. Clearing
// one fires only its Change; clicking a selected one changes nothing.
class OptionButton : public ToggleControl {
public:
    using ToggleControl::ToggleControl;
    std::string_view TypeName() const override { return "OptionButton"; }

    const std::string& GroupName() const { return groupName_; }
    void SetGroupName(std::string value) { groupName_ = std::move(value); }
    bool InGroupWith(const OptionButton& other) const;

    void SetValue(bool value) override;
    void PerformClick() override;

private:
    std::string groupName_;
};

}  // namespace velmora::forms
