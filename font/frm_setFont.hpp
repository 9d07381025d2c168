#pragma once

#include <string>
#include <string_view>

#include "font/md_SetFont.hpp"
#include "forms/Forms.hpp"
#include "host/Host.hpp"
#include "host/Services.hpp"

namespace velmora::font {

// The batch font dialog. Its OK button runs the engine (nongroup, ingroup,
// position, applyfont), which picks the text of the slides in scope by the
// kind and name of each shape or by its place on the slide, and writes the
// chosen fonts, size, colour and styles into it. Every choice is read from
// its control at the moment it is used.
class frm_setFont : public forms::UserForm {
public:
    frm_setFont(forms::FormDriver& driver, host::Application& application, const host::Services& services,
                md_SetFont& module);

    // Scope.
    forms::Frame& Frame1 = Add<forms::Frame>("Frame1");
    forms::OptionButton& OptionButton1 = Frame1.Add<forms::OptionButton>("OptionButton1");
    forms::OptionButton& OptionButton2 = Frame1.Add<forms::OptionButton>("OptionButton2");

    // Target: by object kind (page 0) or by position (page 1).
    forms::Frame& Frame2 = Add<forms::Frame>("Frame2");
    forms::MultiPage& MultiPage1 = Frame2.Add<forms::MultiPage>("MultiPage1");
    forms::Page& Page1 = MultiPage1.AddPage("Page1", "按对象");
    forms::Page& Page2 = MultiPage1.AddPage("Page2", "按位置");
    forms::CheckBox& CheckBox1 = Page1.Add<forms::CheckBox>("CheckBox1");
    forms::CheckBox& CheckBox2 = Page1.Add<forms::CheckBox>("CheckBox2");
    forms::CheckBox& CheckBox3 = Page1.Add<forms::CheckBox>("CheckBox3");
    forms::CheckBox& CheckBox4 = Page1.Add<forms::CheckBox>("CheckBox4");
    forms::CheckBox& CheckBox5 = Page1.Add<forms::CheckBox>("CheckBox5");
    forms::CheckBox& CheckBox6 = Page1.Add<forms::CheckBox>("CheckBox6");
    forms::OptionButton& OptionButton3 = Page2.Add<forms::OptionButton>("OptionButton3");
    forms::OptionButton& OptionButton4 = Page2.Add<forms::OptionButton>("OptionButton4");
    forms::OptionButton& OptionButton5 = Page2.Add<forms::OptionButton>("OptionButton5");
    forms::OptionButton& OptionButton6 = Page2.Add<forms::OptionButton>("OptionButton6");
    forms::OptionButton& OptionButton7 = Page2.Add<forms::OptionButton>("OptionButton7");
    forms::OptionButton& OptionButton8 = Page2.Add<forms::OptionButton>("OptionButton8");

    // Font options: names, size, style.
    forms::Frame& Frame3 = Add<forms::Frame>("Frame3");
    forms::Frame& Frame4 = Frame3.Add<forms::Frame>("Frame4");
    forms::CheckBox& CheckBox7 = Frame4.Add<forms::CheckBox>("CheckBox7");
    forms::ComboBox& ComboBox1 = Frame4.Add<forms::ComboBox>("ComboBox1");
    forms::CheckBox& CheckBox8 = Frame4.Add<forms::CheckBox>("CheckBox8");
    forms::ComboBox& ComboBox2 = Frame4.Add<forms::ComboBox>("ComboBox2");
    forms::Frame& Frame5 = Frame3.Add<forms::Frame>("Frame5");
    forms::OptionButton& OptionButton9 = Frame5.Add<forms::OptionButton>("OptionButton9");
    forms::OptionButton& OptionButton10 = Frame5.Add<forms::OptionButton>("OptionButton10");
    forms::ComboBox& ComboBox3 = Frame5.Add<forms::ComboBox>("ComboBox3");
    forms::OptionButton& OptionButton11 = Frame5.Add<forms::OptionButton>("OptionButton11");
    forms::ComboBox& ComboBox4 = Frame5.Add<forms::ComboBox>("ComboBox4");
    forms::Frame& Frame6 = Frame3.Add<forms::Frame>("Frame6");
    forms::CheckBox& CheckBox9 = Frame6.Add<forms::CheckBox>("CheckBox9");
    forms::CommandButton& Cmd_Color = Frame6.Add<forms::CommandButton>("Cmd_Color");
    forms::Label& Label2 = Frame6.Add<forms::Label>("Label2");
    forms::ToggleButton& ToggleButton3 = Frame6.Add<forms::ToggleButton>("ToggleButton3");
    forms::ToggleButton& ToggleButton4 = Frame6.Add<forms::ToggleButton>("ToggleButton4");
    forms::ToggleButton& ToggleButton5 = Frame6.Add<forms::ToggleButton>("ToggleButton5");
    forms::ToggleButton& ToggleButton6 = Frame6.Add<forms::ToggleButton>("ToggleButton6");
    forms::CheckBox& CheckBox10 = Frame6.Add<forms::CheckBox>("CheckBox10");
    forms::CheckBox& CheckBox11 = Frame6.Add<forms::CheckBox>("CheckBox11");
    forms::CheckBox& CheckBox12 = Frame6.Add<forms::CheckBox>("CheckBox12");
    forms::CheckBox& CheckBox13 = Frame6.Add<forms::CheckBox>("CheckBox13");

    forms::CommandButton& CommandButton1 = Add<forms::CommandButton>("CommandButton1");
    forms::CommandButton& CommandButton2 = Add<forms::CommandButton>("CommandButton2");

protected:
    void UserForm_Initialize() override;

private:
    // Design.
    void DesignScopeAndTarget();
    void DesignFontOptions();
    void DesignStyles();
    void DesignButtons();
    void SetHandlers();

    // Event handlers.
    void CommandButton1_Click();
    void CommandButton2_Click();
    void Cmd_Color_Click();
    void Label2_Click();
    void ComboBox1_Change();
    void ComboBox2_Change();
    void ComboBox1_MouseDown();
    void ComboBox2_MouseDown();
    void ComboBox3_Change();
    void ComboBox4_Change();
    void CheckBox2_Click();
    void CheckBox3_Click();
    void CheckBox4_Click();
    void CheckBox7_Change();
    void CheckBox8_Change();
    void CheckBox9_Change();
    void CheckBox10_Change();
    void CheckBox11_Change();
    void CheckBox12_Change();
    void CheckBox13_Change();
    void OptionButton9_Change();
    void OptionButton10_Change();
    void OptionButton11_Change();
    void ToggleButton3_Change();
    void ToggleButton4_Change();
    void ToggleButton5_Change();
    void ToggleButton6_Change();

    // Rules shared by several handlers.
    void GroupTargetClicked(const forms::CheckBox& clicked);
    static void ShowToggleState(forms::ToggleButton& toggle, std::string_view pressedTip, std::string_view releasedTip);
    void getfontcolor();

    // Settings.
    std::string Setting(const std::string& key, const std::string& defaultValue) const;
    void RestoreValue(forms::ToggleControl& control, const std::string& key, bool defaultValue);
    void RestoreFontBox(forms::ComboBox& box, const std::string& key, const std::string& defaultFont);
    void RestoreSizeLists();
    void SaveValue(const std::string& key, const std::string& value);
    void mySaveSettings();

    // The engine.
    void HandleSlide(host::Slide& slide);
    void nongroup(host::Shape& shape);
    void ingroup(host::Shape& group);
    void ApplyToTable(host::Shape& shape);
    void position(host::Slide& slide);
    void applyfont(host::Shape& shape);
    void ApplyToFont(host::TextRange& text, host::Font& font);
    void StepSize(host::TextRange& text, host::Font& font);
    void ApplyToTextEffect(host::Shape& shape);
    bool IsWordArtOutsideTable(const host::Shape& shape) const;
    double HostVersion() const;

    host::Application& application_;
    const host::Services& services_;
    md_SetFont& module_;
    bool loaded_ = false;
    int inTable_ = 0;
    std::string fixedSize_;
    std::string sizeStep_;
};

// The ribbon command: shows the font dialog modally.
void setFont_main(host::Application& application, const host::Services& services, forms::FormDriver& driver);

}  // namespace velmora::font
