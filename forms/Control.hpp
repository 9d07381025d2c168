#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "forms/ControlEvents.hpp"
#include "forms/FormConstants.hpp"
#include "host/MsoConstants.hpp"

namespace velmora::forms {

class Container;
class UserForm;

// What every control of a form has: its name and place, the plain
// appearance properties a driver draws from (points, colours as
// R + 256 G + 65536 B), and its event handlers. Controls are created by a
// container's Add and owned by their form.
class Control {
public:
    Control(Container& parent, std::string name);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The kind, as the runtime names it ("CheckBox"), for messages.
    virtual std::string_view TypeName() const = 0;

    ControlEvents events;

    const std::string& Name() const { return name_; }
    Container& Parent() const { return parent_; }
    UserForm& Form() const;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string value) { caption_ = std::move(value); }
    // The explicit accelerator letter, else the letter after "&" in the
    // caption, else "".
    std::string Accelerator() const;
    void SetAccelerator(std::string value) { accelerator_ = std::move(value); }
    const std::string& ControlTipText() const { return tipText_; }
    void SetControlTipText(std::string value) { tipText_ = std::move(value); }
    const std::string& Tag() const { return tag_; }
    void SetTag(std::string value) { tag_ = std::move(value); }

    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    // Whether a user can reach it: visible and enabled, and so are the
    // frames and pages around it.
    bool Operable() const;

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
    host::Color ForeColor() const { return foreColor_; }
    void SetForeColor(host::Color value) { foreColor_ = value; }
    int BackStyle() const { return backStyle_; }
    void SetBackStyle(int value) { backStyle_ = value; }
    int SpecialEffect() const { return specialEffect_; }
    void SetSpecialEffect(int value) { specialEffect_ = value; }
    const std::string& FontName() const { return fontName_; }
    void SetFontName(std::string value) { fontName_ = std::move(value); }
    float FontSize() const { return fontSize_; }
    void SetFontSize(float value) { fontSize_ = value; }
    bool FontBold() const { return fontBold_; }
    void SetFontBold(bool value) { fontBold_ = value; }
    int TextAlign() const { return textAlign_; }
    void SetTextAlign(int value) { textAlign_ = value; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value) { autoSize_ = value; }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value) { wordWrap_ = value; }
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int value) { mousePointer_ = value; }

    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int value) { tabIndex_ = value; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }

    // Makes it the form's active control (Exit on the old one, Enter here).
    void SetFocus();

    // A user's click after the mouse was released over it: the control's own
    // reaction (a check box toggles, an option button is selected), then Click.
    virtual void PerformClick();

protected:
    // Called when it receives the focus, before Enter.
    virtual void GotFocus() {}

private:
    Container& parent_;
    std::string name_;
    std::string caption_;
    std::string accelerator_;
    std::string tipText_;
    std::string tag_;
    bool visible_ = true;
    bool enabled_ = true;
    float left_ = 0;
    float top_ = 0;
    float width_ = 72;
    float height_ = 18;
    host::Color backColor_ = 0xF0F0F0;
    host::Color foreColor_ = 0;
    int backStyle_ = BackStyle::Opaque;
    int specialEffect_ = SpecialEffect::Flat;
    std::string fontName_ = "宋体";
    float fontSize_ = 9;
    bool fontBold_ = false;
    int textAlign_ = TextAlign::Left;
    bool autoSize_ = false;
    bool wordWrap_ = false;
    int mousePointer_ = 0;
    int tabIndex_ = 0;
    bool tabStop_ = true;
};

}  // namespace velmora::forms
