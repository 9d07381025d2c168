#include "forms/ScriptedDriver.hpp"

#include <charconv>
#include <optional>
#include <stdexcept>
#include <string>

#include "forms/CommandButton.hpp"
#include "forms/ComboBox.hpp"
#include "forms/MultiPage.hpp"
#include "forms/RangeControl.hpp"
#include "forms/TextControl.hpp"
#include "forms/ToggleControl.hpp"
#include "forms/UserForm.hpp"
#include "platform/AsciiCase.hpp"
#include "platform/Utf8.hpp"

namespace velmora::forms {

namespace {

[[noreturn]] void Refuse(const Control& control, const std::string& why)
{
    throw std::invalid_argument(std::string(control.TypeName()) + " " + control.Name() + ": " + why);
}

std::optional<double> ParseNumber(std::string_view text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

bool ParseTruth(const Control& control, const std::string& text)
{
    const std::string lower = platform::AsciiLower(text);
    if (lower == "true") {
        return true;
    }
    if (lower == "false") {
        return false;
    }
    if (const std::optional<double> number = ParseNumber(text)) {
        return *number != 0;
    }
    Refuse(control, "\"" + text + "\" is neither true nor false");
}

int ParseWhole(const Control& control, const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        Refuse(control, "\"" + text + "\" is not a whole number");
    }
    return value;
}

void SetValue(Control& control, const std::string& text)
{
    if (auto* toggle = dynamic_cast<ToggleControl*>(&control)) {
        toggle->SetValue(ParseTruth(control, text));
    } else if (auto* range = dynamic_cast<RangeControl*>(&control)) {
        const int value = ParseWhole(control, text);
        if (!range->InRange(value)) {
            Refuse(control, text + " lies outside " + std::to_string(range->Min()) + " to " +
                                std::to_string(range->Max()));
        }
        range->SetValue(value);
    } else if (auto* pages = dynamic_cast<MultiPage*>(&control)) {
        const int index = ParseWhole(control, text);
        if (index < 0 || index >= pages->PageCount()) {
            Refuse(control, "has no page " + text);
        }
        pages->SetValue(index);
    } else if (auto* box = dynamic_cast<TextControl*>(&control)) {
        if (box->Locked()) {
            Refuse(control, "is locked");
        }
        if (box->MaxLength() > 0 && platform::Utf8Length(text) > static_cast<std::size_t>(box->MaxLength())) {
            Refuse(control, "holds at most " + std::to_string(box->MaxLength()) + " characters");
        }
        box->SetText(text);
    } else {
        Refuse(control, "has no value to set");
    }
}

void Type(Control& control, const std::string& text)
{
    auto* box = dynamic_cast<TextControl*>(&control);
    if (box == nullptr) {
        Refuse(control, "cannot be typed into");
    }
    if (auto* combo = dynamic_cast<ComboBox*>(box); combo != nullptr && combo->Style() == ComboStyle::DropDownList) {
        Refuse(control, "is a drop-down list; set it instead");
    }
    box->SetFocus();
    for (const char32_t key : platform::DecodeUtf8(text)) {
        box->TypeKey(key);
    }
}

void Perform(UserForm& form, const ScriptStep& step)
{
    Control& control = form.Controls(step.control);
    if (!control.Operable()) {
        Refuse(control, "is hidden or disabled");
    }
    switch (step.kind) {
        case ScriptStep::Kind::Set:
            SetValue(control, step.text);
            break;
        case ScriptStep::Kind::Click:
            control.events.FireMouseDown(MouseButton::Left, 0, 0, 0);
            control.events.FireMouseUp(MouseButton::Left, 0, 0, 0);
            control.PerformClick();
            break;
        case ScriptStep::Kind::Type:
            Type(control, step.text);
            break;
        case ScriptStep::Kind::Drag:
            control.events.FireMouseDown(MouseButton::Left, 0, 0, 0);
            control.events.FireMouseMove(MouseButton::Left, 0, step.dx, step.dy);
            control.events.FireMouseUp(MouseButton::Left, 0, step.dx, step.dy);
            break;
        case ScriptStep::Kind::Key:
            break;
    }
}

CommandButton* DefaultButton(const UserForm& form)
{
    for (Control* control : form.Controls()) {
        if (auto* button = dynamic_cast<CommandButton*>(control); button != nullptr && button->Default()) {
            return button;
        }
    }
    return nullptr;
}

}  // namespace

ScriptedDriver::ScriptedDriver(std::vector<ScriptStep> steps) : steps_(steps.begin(), steps.end()) {}

void ScriptedDriver::PressKey(const ScriptStep& step) const
{
    if (!keyHandler_) {
        throw std::invalid_argument("--key " + step.control + ": there is no screen to press keys on");
    }
    keyHandler_(step.control);
}

void ScriptedDriver::Run(UserForm& form, bool modal)
{
    while (!steps_.empty() && form.Shown()) {
        const ScriptStep step = steps_.front();
        steps_.pop_front();
        Tick();
        if (step.kind == ScriptStep::Kind::Key) {
            PressKey(step);
        } else {
            Perform(form, step);
        }
    }
    if (form.Shown()) {
        Tick();
    }
    if (modal && form.Shown()) {
        if (CommandButton* confirm = DefaultButton(form); confirm != nullptr && confirm->Operable()) {
            confirm->PerformClick();
        }
        if (form.Shown()) {
            form.Unload();
        }
    } else if (!modal) {
        form.Unload();
    }
}

}  // namespace velmora::forms
