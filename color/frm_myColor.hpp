#pragma once

#include <array>
#include <memory>
#include <string>

#include "color/ColorTextBoxClass.hpp"
#include "color/GradLabelClass.hpp"
#include "color/LabelClass.hpp"
#include "color/md_SetColor.hpp"
#include "forms/Forms.hpp"
#include "host/Application.hpp"
#include "host/Services.hpp"
#include "host/SettingsStore.hpp"

namespace velmora::color {

inline constexpr const char* kPaletteSection = "Settings-myColor";
inline constexpr int kNarrowWidthTwips = 4720;
inline constexpr int kFullWidthTwips = 10020;
// Enough for the largest step count, 28, and the two ends.
inline constexpr int kGradientSwatches = 30;

// The palette "我的调色板": a live colouring panel around one display colour,
// chosen from base colours, a grid of variations, a two-colour gradient or
// the RGB and HSB bars, and applied at once to the host's selection.
class frm_myColor : public forms::UserForm {
public:
    frm_myColor(forms::FormDriver& driver, host::Application& application, const host::Services& services);

    // Shared with the swatches' event classes.
    PaletteState& State() { return state_; }
    host::Color DisplayColor() const;
    void SetDisplayColor(host::Color colour);
    // The gradient end chosen by Opt_Start or Opt_End takes the display
    // colour, and the gradient and variations are made anew.
    void FollowDisplayColor();
    void SyncRGBBars();
    void SyncHSBBars();
    void ApplyToSelection(host::Color colour);
    void HighlightSwatch(forms::Label& hovered);
    void DefaultLabView();

protected:
    void UserForm_Initialize() override;
    void UserForm_Terminate() override;

private:
    void CreateBaseColours();
    void CreateVariations();
    void CreateChannelBars();
    void CreateGradient();
    void CreateTargets();
    void CreateLayoutToggle();
    void AttachSwatchClasses();

    void RestoreSettings();
    void SaveSettings();
    double Setting(const std::string& key, double defaultValue) const;

    // L_Start or L_End, whichever follows the display colour.
    forms::Label& FollowingEnd();
    void FillGradient();
    void FillVariations();
    void ExtraForm();
    void Cmd_Extra_Click();
    void changeRGBColor();
    void changeHSBColor();
    void ScrollBar_Change(int bar);
    void SpinButton1_Change();
    void SpinButton2_Change();
    void SchemeOption_Change(int gradMode);
    void TargetOption_Change(int targetType);
    // OptionButton1 to 3 and 7 to 9 by GradMode; OptionButton4 to 6 by TargetType.
    forms::OptionButton& SchemeOption(int gradMode) const;
    forms::OptionButton& TargetOption(int targetType) const;
    // Boxes first to first + 2 show their bars' values.
    void WriteBarsIntoBoxes(int first);
    // Bars first to first + 2 and their boxes take three channel values.
    void SetBars(int first, int a, int b, int c);

    host::Application* application_;
    std::shared_ptr<host::SettingsStore> settings_;
    PaletteState state_;
    bool ready_ = false;

    forms::Label* L_Disp_ = nullptr;
    forms::Label* L_Start_ = nullptr;
    forms::Label* L_End_ = nullptr;
    forms::Label* L_Deep_ = nullptr;
    forms::Label* L_gNum_ = nullptr;
    forms::Label* Lab_arrow_ = nullptr;
    forms::OptionButton* Opt_Start_ = nullptr;
    forms::SpinButton* SpinButton1_ = nullptr;
    forms::SpinButton* SpinButton2_ = nullptr;
    forms::CommandButton* Cmd_Extra_ = nullptr;
    std::array<forms::ScrollBar*, 6> bars_{};
    std::array<forms::TextBox*, 6> boxes_{};
    std::array<forms::Label*, kVariationCount> variations_{};
    std::array<forms::Label*, kGradientSwatches> gradient_{};

    std::array<LabelClass, 20> labelClasses_;
    std::array<GradLabelClass, kVariationCount + kGradientSwatches> gradLabelClasses_;
    std::array<ColorTextBoxClass, 6> colorTextBoxClasses_;
};

}  // namespace velmora::color
