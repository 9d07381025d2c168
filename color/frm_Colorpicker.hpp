#pragma once

#include <array>
#include <memory>

#include "color/CLabelClass.hpp"
#include "color/md_ColorPicker.hpp"
#include "forms/Forms.hpp"
#include "host/Application.hpp"
#include "host/Screen.hpp"
#include "host/Services.hpp"

namespace velmora::color {

inline constexpr const char* kPickerSection = "ColorPicker-Settings";
inline constexpr int kPickerFullHeightTwips = 3700;
inline constexpr int kPickerCompactHeightTwips = 2780;

// The screen colour picker "屏幕取色": a small modeless window on top of the
// others that samples the pixel under the pointer ten times a second, freezes
// on any hot key, keeps eight favourites and applies a swatch's colour to the
// host's selection.
class frm_Colorpicker : public forms::UserForm {
public:
    frm_Colorpicker(forms::FormDriver& driver, host::Application& application, const host::Services& services,
                    md_ColorPicker& module);

    forms::Label& Lab_Color0 = Add<forms::Label>("Lab_Color0");
    forms::Image& Img_Lock = Add<forms::Image>("Img_Lock");
    forms::Label& Label1 = Add<forms::Label>("Label1");
    forms::Label& Label2 = Add<forms::Label>("Label2");
    forms::Label& Label3 = Add<forms::Label>("Label3");
    forms::Label& Label4 = Add<forms::Label>("Label4");
    forms::Label& Label5 = Add<forms::Label>("Label5");
    forms::Label& Label6 = Add<forms::Label>("Label6");
    forms::Label& Label7 = Add<forms::Label>("Label7");
    forms::Label& Label8 = Add<forms::Label>("Label8");
    forms::Frame& Frame1 = Add<forms::Frame>("Frame1");
    forms::OptionButton& OptionButton1 = Frame1.Add<forms::OptionButton>("OptionButton1");
    forms::OptionButton& OptionButton2 = Frame1.Add<forms::OptionButton>("OptionButton2");
    forms::OptionButton& OptionButton3 = Frame1.Add<forms::OptionButton>("OptionButton3");
    forms::CommandButton& Cmd_Extra = Add<forms::CommandButton>("Cmd_Extra");
    forms::Label& Lab_arrow = Add<forms::Label>("Lab_arrow");
    forms::Frame& Frame2 = Add<forms::Frame>("Frame2");
    forms::Image& Image1 = Add<forms::Image>("Image1");

    host::Application& Application() const;
    host::Screen& Screen() const { return *screen_; }
    md_ColorPicker& Module() const { return module_; }
    // Target option 1 (fill) to 3 (line); favourite swatch and option 1 to 8.
    forms::OptionButton& TargetOption(int number) const;
    forms::Label& FavouriteSwatch(int number) const;
    forms::OptionButton& FavouriteOption(int number) const;
    void EnableFavouriteOptions(bool enabled);

    void DefaultLabView();
    void FavColor();
    void ExtraForm();

protected:
    void UserForm_Initialize() override;
    void UserForm_Activate() override;
    void UserForm_Terminate() override;

private:
    void Design();
    void DesignFavourites();
    void SetHandlers();
    void RestoreFavourites();
    void RestoreTarget();
    void SaveSettings();

    host::Application* application_;
    std::shared_ptr<host::SettingsStore> settings_;
    std::shared_ptr<host::Screen> screen_;
    md_ColorPicker& module_;
    std::array<CLabelClass, 9> labelClasses_;
};

// The ribbon command: opens the picker modeless, creating it on first use.
// Raises the host error where there is no screen to pick from.
void GetColor_main(host::Application& application, const host::Services& services, forms::FormDriver& driver);

}  // namespace velmora::color
