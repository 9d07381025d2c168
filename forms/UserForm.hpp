#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Container.hpp"
#include "forms/ControlEvents.hpp"
#include "forms/FormDriver.hpp"
#include "forms/FormsError.hpp"

namespace velmora::forms {

// The base of every dialog. A dialog's constructor creates its controls and
// sets their handlers; Load (or the first Show) then runs UserForm_Initialize
// once, with every event it causes delivered. Show makes the form visible,
// runs UserForm_Activate and hands it to the driver; Unload hides it and runs
// UserForm_Terminate. An unloaded form cannot be shown again: create a new one.
class UserForm : public Container {
public:
    UserForm(FormDriver& driver, std::string name);
    ~UserForm() override = default;

    // The form's own surface (clicks and mouse moves on its background).
    ControlEvents events;

    const std::string& Name() const { return name_; }
    // The form's window, as the screen services know it: one per form.
    std::uintptr_t WindowHandle() const { return reinterpret_cast<std::uintptr_t>(this); }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string value) { caption_ = std::move(value); }
    float Left() const { return left_; }
    void SetLeft(float value) { left_ = value; }
    float Top() const { return top_; }
    void SetTop(float value) { top_ = value; }
    float Width() const { return width_; }
    void SetWidth(float value) { width_ = value; }
    float Height() const { return height_; }
    void SetHeight(float value) { height_ = value; }
    host::Color BackColor() const { return backColor_; }
    void SetBackColor(host::Color value) { backColor_ = value; }

    bool Visible() const { return visible_; }
    bool IsLoaded() const { return state_ == State::Loaded; }
    bool IsModal() const { return modal_; }
    // Loaded and visible: what a driver keeps a window open for.
    bool Shown() const { return IsLoaded() && Visible(); }

    void Load();
    void Show(bool modal = true);
    void Hide();
    void Unload();

    // Every control, in creation order.
    const std::vector<Control*>& Controls() const { return controls_; }
    // By name, without regard to case; throws UnknownControl.
    Control& Controls(std::string_view name) const;
    template <typename T>
    T& Controls(std::string_view name) const
    {
        Control& control = Controls(name);
        if (auto* typed = dynamic_cast<T*>(&control)) {
            return *typed;
        }
        throw UnknownControl("control " + control.Name() + " of " + name_ + " is a " +
                             std::string(control.TypeName()) + ", not the kind asked for");
    }
    // nullptr when there is none.
    Control* FindControl(std::string_view name) const;
    Control* ActiveControl() const { return active_; }

    bool ContentOperable() const override { return true; }

protected:
    virtual void UserForm_Initialize() {}
    virtual void UserForm_Activate() {}
    virtual void UserForm_Terminate() {}

private:
    friend class Container;
    friend class Control;

    enum class State { Created, Loaded, Unloaded };

    void Register(std::unique_ptr<Control> control);
    void SetActiveControl(Control* control) { active_ = control; }

    FormDriver& driver_;
    std::string name_;
    std::string caption_;
    float left_ = 0;
    float top_ = 0;
    float width_ = 240;
    float height_ = 180;
    host::Color backColor_ = 0xF0F0F0;
    State state_ = State::Created;
    bool visible_ = false;
    bool modal_ = false;
    std::vector<std::unique_ptr<Control>> owned_;
    std::vector<Control*> controls_;
    Control* active_ = nullptr;
};

}  // namespace velmora::forms
