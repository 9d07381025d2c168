#include "color/frm_Colorpicker.hpp"

#include <charconv>
#include <string>

#include "forms/ControlLayout.hpp"
#include "forms/FormCatalog.hpp"
#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "host/SettingsStore.hpp"
#include "resources/Pictures.hpp"

namespace velmora::color {
namespace {

using forms::Numbered;
using forms::Place;

constexpr float kTwipsPerPoint = 20;
constexpr host::Color kWhite = 16777215;
constexpr const char* kDefaultTarget = "填充";
constexpr int kLockBitmap = 116;  // the padlock over the frozen sample

int WholeNumber(const std::string& text, int fallback)
{
    int value = fallback;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() ? value : fallback;
}

int HeightTwips(const forms::UserForm& form)
{
    return static_cast<int>(form.Height() * kTwipsPerPoint + 0.5f);
}

std::unique_ptr<forms::UserForm> MakeDialog(forms::FormDriver& driver, host::Application& application,
                                            const host::Services& services)
{
    static md_ColorPicker module;
    return std::make_unique<frm_Colorpicker>(driver, application, services, module);
}

const forms::FormRegistration kRegistration({"frm_Colorpicker", "GetColor_main", &MakeDialog});

}  // namespace

frm_Colorpicker::frm_Colorpicker(forms::FormDriver& driver, host::Application& application,
                                 const host::Services& services, md_ColorPicker& module)
    : UserForm(driver, "frm_Colorpicker"), application_(&application), settings_(services.settings),
      screen_(services.screen), module_(module)
{
    if (!screen_) {
        throw host::HostError("the screen colour picker needs an X11 session: no X11 display is available");
    }
    Design();
    SetHandlers();
}

void frm_Colorpicker::Design()
{
    SetCaption("屏幕取色");
    SetWidth(186);
    SetHeight(kPickerFullHeightTwips / kTwipsPerPoint);
    Place(Lab_Color0, 6, 6, 60, 60).SetBackColor(kWhite);
    Lab_Color0.SetSpecialEffect(forms::SpecialEffect::Bump);
    Place(Img_Lock, 25, 25, 22, 22).SetBorderStyle(1);
    if (const auto lock = resources::LoadPicture(resources::PictureKind::Bitmap, kLockBitmap)) {
        Img_Lock.SetPictureData(std::string(lock->bytes.begin(), lock->bytes.end()));
    }
    Img_Lock.SetVisible(false);
    const std::array<forms::Label*, 4> captions{&Label1, &Label2, &Label3, &Label4};
    const std::array<forms::Label*, 4> readouts{&Label5, &Label6, &Label7, &Label8};
    const std::array<const char*, 4> texts{"X-Y:", "RGB:", "HEX:", "HSB:"};
    for (std::size_t i = 0; i < captions.size(); ++i) {
        const float top = 8 + 15 * static_cast<float>(i);
        Place(*captions[i], 72, top, 30, 13).SetCaption(texts[i]);
        Place(*readouts[i], 102, top, 80, 13).SetCaption("0");
    }
    Place(Frame1, 6, 72, 174, 28).SetControlTipText("设置颜色应用对象");
    const std::array<const char*, 3> targets{"填充", "文字", "线条"};
    for (int n = 1; n <= 3; ++n) {
        Place(TargetOption(n), 6 + 56 * static_cast<float>(n - 1), 6, 52, 16).SetCaption(targets[n - 1]);
    }
    Place(Cmd_Extra, 6, 106, 174, 20);
    Place(Lab_arrow, 86, 109, 14, 14).SetFontName("Marlett");
    Lab_arrow.SetBackStyle(forms::BackStyle::Transparent);
    DesignFavourites();
    Place(Image1, 0, 0, 32, 32).SetVisible(false);
}

void frm_Colorpicker::DesignFavourites()
{
    Place(Frame2, 6, 140, 174, 42);
    for (int n = 1; n <= 8; ++n) {
        const float left = 4 + 21 * static_cast<float>(n - 1);
        auto& swatch = Place(Frame2.Add<forms::Label>(Numbered("Lab_Color", n)), left, 2, 18, 18);
        swatch.SetBackColor(kWhite);
        swatch.SetSpecialEffect(forms::SpecialEffect::Bump);
        Place(Frame2.Add<forms::OptionButton>(Numbered("Opt_Color", n)), left + 2, 22, 16, 14);
    }
}

void frm_Colorpicker::SetHandlers()
{
    Cmd_Extra.events.Click = [this] { ExtraForm(); };
    Img_Lock.events.Click = [this] { module_.UnlockPick(*this); };
    for (int n = 1; n <= 8; ++n) {
        FavouriteOption(n).events.Click = [this] { FavColor(); };
    }
    const auto plain = [this](int, int, float, float) { DefaultLabView(); };
    events.MouseMove = plain;
    Frame1.events.MouseMove = plain;
    Frame2.events.MouseMove = plain;
}

host::Application& frm_Colorpicker::Application() const
{
    if (application_ == nullptr) {
        throw host::HostError("the picker has let go of the presentation program");
    }
    return *application_;
}

forms::OptionButton& frm_Colorpicker::TargetOption(int number) const
{
    return Controls<forms::OptionButton>(Numbered("OptionButton", number));
}

forms::Label& frm_Colorpicker::FavouriteSwatch(int number) const
{
    return Controls<forms::Label>(Numbered("Lab_Color", number));
}

forms::OptionButton& frm_Colorpicker::FavouriteOption(int number) const
{
    return Controls<forms::OptionButton>(Numbered("Opt_Color", number));
}

void frm_Colorpicker::EnableFavouriteOptions(bool enabled)
{
    for (int n = 1; n <= 8; ++n) {
        FavouriteOption(n).SetEnabled(enabled);
    }
}

void frm_Colorpicker::UserForm_Initialize()
{
    host::Suppressed([&] { screen_->SetArrowPointer(PickerPointer()); });
    labelClasses_[0].Attach(*this, Lab_Color0);
    for (int n = 1; n <= 8; ++n) {
        labelClasses_[static_cast<std::size_t>(n)].Attach(*this, FavouriteSwatch(n));
    }
    const std::string height = settings_->GetSetting(host::kAppName, kPickerSection, "FormHeight",
                                                     std::to_string(kPickerFullHeightTwips));
    SetHeight(static_cast<float>(WholeNumber(height, kPickerFullHeightTwips)) / kTwipsPerPoint);
    ExtraForm();
    Img_Lock.SetVisible(false);
    module_.PickLocked = false;
    SetCaption(kSamplingTitle);
    module_.HookHotKeys(*this);
    RestoreFavourites();
    RestoreTarget();
    module_.KeepOnTop(*this);
    module_.StartPickTimer(*this, kPickPeriodMs);
}

void frm_Colorpicker::RestoreFavourites()
{
    const int chosen = WholeNumber(settings_->GetSetting(host::kAppName, kPickerSection, "ColorOption", "1"), 1);
    for (int n = 1; n <= 8; ++n) {
        const std::string stored = settings_->GetSetting(host::kAppName, kPickerSection,
                                                         Numbered("FavoriteColor", n), std::to_string(kWhite));
        FavouriteSwatch(n).SetBackColor(WholeNumber(stored, kWhite));
        if (n == chosen) {
            FavouriteOption(n).SetValue(true);
        }
        FavouriteOption(n).SetEnabled(false);
    }
}

void frm_Colorpicker::RestoreTarget()
{
    const std::string target = settings_->GetSetting(host::kAppName, kPickerSection, "ColorPickerTarget", kDefaultTarget);
    for (int n = 1; n <= 3; ++n) {
        forms::OptionButton& option = TargetOption(n);
        if (option.Caption() == target) {
            option.SetValue(true);
            option.SetFocus();
        } else {
            option.SetValue(false);
        }
    }
}

void frm_Colorpicker::UserForm_Activate()
{
    module_.KeepOnTop(*this);
}

void frm_Colorpicker::UserForm_Terminate()
{
    module_.StopPickTimer(*this);
    module_.UnhookHotKeys(*this);
    host::Suppressed([&] { screen_->RestorePointers(); });
    SaveSettings();
    host::Suppressed([&] {
        Application().SetWindowState(host::WindowState::Maximized);
        Application().SetVisible(true);
    });
    application_ = nullptr;
}

// Settings that cannot be saved keep their previous values.
void frm_Colorpicker::SaveSettings()
{
    const auto save = [this](const std::string& key, const std::string& value) {
        host::Suppressed([&] { settings_->SaveSetting(host::kAppName, kPickerSection, key, value); });
    };
    for (int n = 1; n <= 8; ++n) {
        save(Numbered("FavoriteColor", n), std::to_string(FavouriteSwatch(n).BackColor()));
        if (FavouriteOption(n).Value()) {
            save("ColorOption", std::to_string(n));
        }
    }
    for (int n = 1; n <= 3; ++n) {
        if (TargetOption(n).Value()) {
            save("ColorPickerTarget", TargetOption(n).Caption());
            break;
        }
    }
    save("FormHeight", std::to_string(HeightTwips(*this)));
}

void frm_Colorpicker::DefaultLabView()
{
    for (forms::Control* control : Controls()) {
        if (control->Name().starts_with("Lab_Color")) {
            control->SetSpecialEffect(forms::SpecialEffect::Bump);
        }
    }
}

void frm_Colorpicker::FavColor()
{
    if (!module_.PickLocked) {
        return;
    }
    for (int n = 1; n <= 8; ++n) {
        if (FavouriteOption(n).Value()) {
            FavouriteSwatch(n).SetBackColor(Lab_Color0.BackColor());
            return;
        }
    }
}

void frm_Colorpicker::ExtraForm()
{
    if (HeightTwips(*this) == kPickerFullHeightTwips) {
        SetHeight(kPickerCompactHeightTwips / kTwipsPerPoint);
        Lab_arrow.SetCaption("6");
        Cmd_Extra.SetControlTipText("扩展");
    } else {
        SetHeight(kPickerFullHeightTwips / kTwipsPerPoint);
        Lab_arrow.SetCaption("5");
        Cmd_Extra.SetControlTipText("收起");
    }
}

void GetColor_main(host::Application& application, const host::Services& services, forms::FormDriver& driver)
{
    static md_ColorPicker module;
    static std::unique_ptr<frm_Colorpicker> picker;
    if (!picker || !picker->IsLoaded()) {
        picker = std::make_unique<frm_Colorpicker>(driver, application, services, module);
    }
    picker->Show(false);
    if (!picker->IsLoaded()) {
        picker.reset();
    }
}

}  // namespace velmora::color
