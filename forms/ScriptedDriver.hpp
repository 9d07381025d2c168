#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "forms/FormDriver.hpp"
#include "forms/ScriptStep.hpp"

namespace velmora::forms {

class Control;

// Works shown forms from a script. Run takes steps, in order, while the form
// stays shown; steps left when it closes wait for the next form shown. Then a
// modal form still shown is confirmed once with its Default button and, if
// still shown, unloaded; a modeless form still loaded is unloaded.
//
// A step acts as a user would: set assigns Value (check box, option and
// toggle buttons: true/false or a number; scroll bar, spin button, multi-page:
// a whole number in range) or Text (text box, combo box); click presses and
// releases mouse button 1 at (0, 0) and then clicks; type focuses the box and
// types key by key; drag presses button 1 at (0, 0), moves to (DX, DY) and
// releases there. A step naming an unknown control, a control a user cannot
// reach (hidden or disabled, itself or its frame; a locked box) or an impossible value
// throws std::invalid_argument.
//
// Time passes between steps: the tick runs before each step and once more
// before the script closes a form. A key step goes to the key handler, the
// desktop around the form; without one it throws std::invalid_argument.
class ScriptedDriver : public FormDriver {
public:
    explicit ScriptedDriver(std::vector<ScriptStep> steps = {});

    void Add(ScriptStep step) { steps_.push_back(std::move(step)); }
    void SetTick(std::function<void()> tick) { tick_ = std::move(tick); }
    void SetKeyHandler(std::function<void(const std::string& key)> handler) { keyHandler_ = std::move(handler); }
    std::size_t PendingSteps() const { return steps_.size(); }

    void Run(UserForm& form, bool modal) override;

private:
    void Tick() const
    {
        if (tick_) {
            tick_();
        }
    }
    void PressKey(const ScriptStep& step) const;

    std::deque<ScriptStep> steps_;
    std::function<void()> tick_;
    std::function<void(const std::string& key)> keyHandler_;
};

}  // namespace velmora::forms
