#include "color/frm_myColor.hpp"

#include <charconv>
#include <cmath>

#include "color/ColorBoxEntry.hpp"
#include "color/ColorText.hpp"
#include "forms/ControlLayout.hpp"
#include "forms/FormCatalog.hpp"

namespace velmora::color {

namespace {

using forms::Captioned;
using forms::Numbered;
using forms::Place;

constexpr host::Color kWhite = 16777215;
constexpr int kFirstVariation = 25;
constexpr int kFirstGradient = 113;
constexpr float kTwipsPerPoint = 20;
constexpr float kNarrowWidth = kNarrowWidthTwips / kTwipsPerPoint;

// Label1 to Label12 ring the hues, Label13 to Label20 run from white to black.
constexpr std::array<ColorRGB, 20> kBaseColours{{{255, 0, 0},     {255, 128, 0},   {255, 255, 0},   {128, 255, 0},
                                                 {0, 255, 0},     {0, 255, 128},   {0, 255, 255},   {0, 128, 255},
                                                 {0, 0, 255},     {128, 0, 255},   {255, 0, 255},   {255, 0, 128},
                                                 {255, 255, 255}, {219, 219, 219}, {182, 182, 182}, {146, 146, 146},
                                                 {109, 109, 109}, {73, 73, 73},    {36, 36, 36},    {0, 0, 0}}};

forms::Label& AddSwatch(forms::Container& frame, int number, float left, float top, float width, float height)
{
    auto& swatch = Place(frame.Add<forms::Label>(Numbered("Label", number)), left, top, width, height);
    swatch.SetBackColor(kWhite);
    swatch.SetSpecialEffect(forms::SpecialEffect::Bump);
    return swatch;
}

std::string NumberText(double value)
{
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, result.ptr);
}

std::unique_ptr<forms::UserForm> MakeDialog(forms::FormDriver& driver, host::Application& application,
                                            const host::Services& services)
{
    return std::make_unique<frm_myColor>(driver, application, services);
}

const forms::FormRegistration kRegistration({"frm_myColor", "SetColor_main", &MakeDialog});

}  // namespace

frm_myColor::frm_myColor(forms::FormDriver& driver, host::Application& application, const host::Services& services)
    : UserForm(driver, "frm_myColor"), application_(&application), settings_(services.settings)
{
    SetCaption("我的调色板");
    SetWidth(kFullWidthTwips / kTwipsPerPoint);
    SetHeight(486);
    L_Disp_ = &Place(Add<forms::Label>("L_Disp"), 6, 6, 224, 30);
    L_Disp_->SetBackColor(kWhite);
    L_Disp_->SetSpecialEffect(forms::SpecialEffect::Sunken);
    CreateBaseColours();
    CreateVariations();
    CreateTargets();
    CreateLayoutToggle();
    CreateChannelBars();
    CreateGradient();
    events.MouseMove = [this](int, int, float, float) { DefaultLabView(); };
}

void frm_myColor::CreateBaseColours()
{
    auto& frame = Captioned(Place(Add<forms::Frame>("Frame1"), 6, 42, 224, 62), "基准色");
    frame.events.MouseMove = [this](int, int, float, float) { DefaultLabView(); };
    for (int i = 0; i < 12; ++i) {
        AddSwatch(frame, i + 1, 6 + 17.5F * static_cast<float>(i), 6, 16, 16).SetBackColor(RGB(kBaseColours[i]));
    }
    for (int i = 12; i < 20; ++i) {
        AddSwatch(frame, i + 1, 6 + 26.25F * static_cast<float>(i - 12), 28, 24, 16).SetBackColor(RGB(kBaseColours[i]));
    }
}

void frm_myColor::CreateVariations()
{
    auto& frame = Captioned(Place(Add<forms::Frame>("Frame2"), 6, 110, 224, 300), "渐变色");
    frame.events.MouseMove = [this](int, int, float, float) { DefaultLabView(); };
    for (int k = 0; k < kVariationCount; ++k) {
        const auto column = static_cast<float>(k % kVariationsPerRow);
        const auto row = static_cast<float>(k / kVariationsPerRow);
        variations_[k] = &AddSwatch(frame, kFirstVariation + k, 6 + 23 * column, 6 + 23 * row, 20, 20);
    }
    auto& hsb = Captioned(Place(frame.Add<forms::Frame>("Frame3"), 6, 214, 104, 56), "HSB");
    auto& hsl = Captioned(Place(frame.Add<forms::Frame>("Frame4"), 114, 214, 104, 56), "HSL");
    const std::array<const char*, 3> captions{"色相/饱和", "色相/明度", "饱和/明度"};
    const std::array<const char*, 3> hslCaptions{"色相/饱和", "色相/亮度", "饱和/亮度"};
    for (int i = 0; i < 3; ++i) {
        const float top = 2 + 16 * static_cast<float>(i);
        Captioned(Place(hsb.Add<forms::OptionButton>(Numbered("OptionButton", i + 1)), 4, top, 96, 16), captions[i]);
        Captioned(Place(hsl.Add<forms::OptionButton>(Numbered("OptionButton", i + 7)), 4, top, 96, 16),
                  hslCaptions[i]);
    }
    Captioned(Place(frame.Add<forms::Label>("L_text1"), 6, 276, 30, 14), "强度");
    SpinButton1_ = &Place(frame.Add<forms::SpinButton>("SpinButton1"), 40, 272, 30, 18);
    SpinButton1_->SetOrientation(forms::Orientation::Horizontal);
    SpinButton1_->SetMin(1);
    SpinButton1_->SetMax(10);
    SpinButton1_->SetValue(5);
    L_Deep_ = &Captioned(Place(frame.Add<forms::Label>("L_Deep"), 76, 276, 40, 14), "50%");
    for (int mode = 1; mode <= 6; ++mode) {
        SchemeOption(mode).events.Change = [this, mode] { SchemeOption_Change(mode); };
    }
    SpinButton1_->events.Change = [this] { SpinButton1_Change(); };
}

void frm_myColor::CreateTargets()
{
    auto& frame = Captioned(Place(Add<forms::Frame>("Frame8"), 6, 414, 170, 40), "应用对象");
    const std::array<const char*, 3> captions{"填充", "文字", "线条"};
    for (int target = 1; target <= 3; ++target) {
        auto& button = Place(frame.Add<forms::OptionButton>(Numbered("OptionButton", target + 3)),
                             6 + 54 * static_cast<float>(target - 1), 8, 50, 18);
        Captioned(button, captions[target - 1]).events.Change = [this, target] { TargetOption_Change(target); };
    }
}

void frm_myColor::CreateLayoutToggle()
{
    Cmd_Extra_ = &Place(Add<forms::CommandButton>("Cmd_Extra"), 182, 420, 48, 30);
    Cmd_Extra_->events.Click = [this] { Cmd_Extra_Click(); };
    Lab_arrow_ = &Place(Add<forms::Label>("Lab_arrow"), 198, 426, 18, 18);
    Lab_arrow_->SetFontName("Webdings");
    Lab_arrow_->SetBackStyle(forms::BackStyle::Transparent);
    Lab_arrow_->SetCaption("3");
}

void frm_myColor::CreateChannelBars()
{
    const std::array<const char*, 6> captions{"R", "G", "B", "H", "S", "B"};
    const std::array<int, 6> maxima{255, 255, 255, 360, 100, 100};
    auto& rgb = Captioned(Place(Add<forms::Frame>("Frame5"), 240, 6, 255, 90), "RGB");
    auto& hsb = Captioned(Place(Add<forms::Frame>("Frame6"), 240, 102, 255, 90), "HSB");
    for (int i = 0; i < 6; ++i) {
        forms::Frame& frame = i < 3 ? rgb : hsb;
        const float top = 6 + 26 * static_cast<float>(i % 3);
        Captioned(Place(frame.Add<forms::Label>(Numbered("L_bar", i + 1)), 6, top + 2, 14, 16), captions[i]);
        bars_[i] = &Place(frame.Add<forms::ScrollBar>(Numbered("ScrollBar", i + 1)), 24, top, 180, 18);
        bars_[i]->SetOrientation(forms::Orientation::Horizontal);
        bars_[i]->SetMax(maxima[i]);
        bars_[i]->SetLargeChange(10);
        bars_[i]->events.Change = [this, bar = i + 1] { ScrollBar_Change(bar); };
        boxes_[i] = &Place(frame.Add<forms::TextBox>(Numbered("TextBox", i + 1)), 210, top, 36, 18);
        boxes_[i]->SetMaxLength(kColorBoxMaxLength);
        boxes_[i]->SetText("0");
    }
}

void frm_myColor::CreateGradient()
{
    auto& frame = Captioned(Place(Add<forms::Frame>("Frame7"), 240, 198, 255, 138), "双色渐变");
    frame.events.MouseMove = [this](int, int, float, float) { DefaultLabView(); };
    L_Start_ = &Place(frame.Add<forms::Label>("L_Start"), 6, 6, 50, 22);
    Opt_Start_ = &Captioned(Place(frame.Add<forms::OptionButton>("Opt_Start"), 60, 8, 64, 18), "起始色");
    Captioned(Place(frame.Add<forms::OptionButton>("Opt_End"), 128, 8, 64, 18), "终止色");
    L_End_ = &Place(frame.Add<forms::Label>("L_End"), 196, 6, 50, 22);
    for (forms::Label* end : {L_Start_, L_End_}) {
        end->SetBackColor(kWhite);
        end->SetSpecialEffect(forms::SpecialEffect::Sunken);
    }
    Opt_Start_->SetValue(true);
    Captioned(Place(frame.Add<forms::Label>("L_text2"), 6, 38, 30, 14), "阶数");
    SpinButton2_ = &Place(frame.Add<forms::SpinButton>("SpinButton2"), 40, 34, 30, 18);
    SpinButton2_->SetOrientation(forms::Orientation::Horizontal);
    SpinButton2_->SetMin(1);
    SpinButton2_->SetMax(28);
    SpinButton2_->SetValue(8);
    SpinButton2_->events.Change = [this] { SpinButton2_Change(); };
    L_gNum_ = &Captioned(Place(frame.Add<forms::Label>("L_gNum"), 76, 38, 30, 14), "8");
    for (int j = 0; j < kGradientSwatches; ++j) {
        const auto column = static_cast<float>(j % 10);
        const auto row = static_cast<float>(j / 10);
        gradient_[j] = &AddSwatch(frame, kFirstGradient + j, 6 + 24.5F * column, 60 + 24 * row, 22, 22);
    }
}

void frm_myColor::AttachSwatchClasses()
{
    for (int i = 0; i < 20; ++i) {
        labelClasses_[i].Attach(*this, Controls<forms::Label>(Numbered("Label", i + 1)));
    }
    for (int i = 0; i < 6; ++i) {
        colorTextBoxClasses_[i].Attach(Controls<forms::TextBox>(Numbered("TextBox", i + 1)));
    }
    for (int k = 0; k < kVariationCount; ++k) {
        gradLabelClasses_[k].Attach(*this, Controls<forms::Label>(Numbered("Label", kFirstVariation + k)));
    }
    for (int j = 0; j < kGradientSwatches; ++j) {
        gradLabelClasses_[kVariationCount + j].Attach(*this,
                                                       Controls<forms::Label>(Numbered("Label", kFirstGradient + j)));
    }
}

void frm_myColor::UserForm_Initialize()
{
    AttachSwatchClasses();
    SetWidth(static_cast<float>(Setting("FormWidth", kFullWidthTwips) / kTwipsPerPoint));
    ExtraForm();
    state_.ColorSyncEnabled = false;
    RestoreSettings();
    SchemeOption(state_.GradMode).SetValue(true);
    TargetOption(state_.TargetType).SetValue(true);
    SpinButton1_->SetValue(static_cast<int>(std::floor(10 * state_.GradDeep)));
    SyncRGBBars();
    SyncHSBBars();
    FillGradient();
    FillVariations();
    state_.ColorSyncEnabled = true;
    ready_ = true;
}

void frm_myColor::RestoreSettings()
{
    SetDisplayColor(static_cast<host::Color>(Setting("DispColor", kWhite)));
    state_.GradDeep = Setting("GradDeep", 0.5);
    state_.GradMode = static_cast<std::int16_t>(Setting("GradMode", 1));
    state_.TargetType = static_cast<std::int16_t>(Setting("TargetType", ApplyTarget::Fill));
    L_Start_->SetBackColor(static_cast<host::Color>(Setting("StartColor", DisplayColor())));
    L_End_->SetBackColor(static_cast<host::Color>(Setting("EndColor", kWhite)));
    SpinButton2_->SetValue(static_cast<int>(Setting("GradNum", 8)));
}

void frm_myColor::SaveSettings()
{
    const host::SettingsBatch batch(*settings_);
    const auto save = [this](const char* key, const std::string& value) {
        settings_->SaveSetting(host::kAppName, kPaletteSection, key, value);
    };
    save("DispColor", std::to_string(DisplayColor()));
    save("GradDeep", NumberText(state_.GradDeep));
    save("GradMode", std::to_string(state_.GradMode));
    save("TargetType", std::to_string(state_.TargetType));
    save("StartColor", std::to_string(L_Start_->BackColor()));
    save("EndColor", std::to_string(L_End_->BackColor()));
    save("GradNum", std::to_string(SpinButton2_->Value()));
    save("FormWidth", std::to_string(std::lround(Width() * kTwipsPerPoint)));
}

double frm_myColor::Setting(const std::string& key, double defaultValue) const
{
    const std::string text = settings_->GetSetting(host::kAppName, kPaletteSection, key, NumberText(defaultValue));
    double value = defaultValue;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

void frm_myColor::UserForm_Terminate()
{
    SaveSettings();
    application_ = nullptr;
}

host::Color frm_myColor::DisplayColor() const
{
    return L_Disp_->BackColor();
}

void frm_myColor::SetDisplayColor(host::Color colour)
{
    L_Disp_->SetBackColor(colour);
}

forms::Label& frm_myColor::FollowingEnd()
{
    return Opt_Start_->Value() ? *L_Start_ : *L_End_;
}

void frm_myColor::FillGradient()
{
    const auto colours = Gradient(L_Start_->BackColor(), L_End_->BackColor(), SpinButton2_->Value());
    for (std::size_t j = 0; j < gradient_.size(); ++j) {
        gradient_[j]->SetVisible(j < colours.size());
        if (j < colours.size()) {
            gradient_[j]->SetBackColor(colours[j]);
        }
    }
}

void frm_myColor::FillVariations()
{
    if (const auto colours = Variations(DisplayColor(), state_.GradMode, state_.GradDeep)) {
        for (std::size_t k = 0; k < variations_.size(); ++k) {
            variations_[k]->SetBackColor((*colours)[k]);
        }
    }
}

void frm_myColor::FollowDisplayColor()
{
    FollowingEnd().SetBackColor(DisplayColor());
    FillGradient();
    FillVariations();
}

void frm_myColor::WriteBarsIntoBoxes(int first)
{
    for (int i = first - 1; i < first + 2; ++i) {
        boxes_[i]->SetText(std::to_string(bars_[i]->Value()));
    }
}

void frm_myColor::SetBars(int first, int a, int b, int c)
{
    for (const int value : {a, b, c}) {
        bars_[first - 1]->SetValue(value);
        boxes_[first - 1]->SetText(std::to_string(value));
        ++first;
    }
}

void frm_myColor::SyncRGBBars()
{
    const ColorRGB rgb = SplitColor(DisplayColor());
    SetBars(1, rgb.R, rgb.G, rgb.B);
}

void frm_myColor::SyncHSBBars()
{
    const ColorHSB hsb = RGBtoHSB(DisplayColor());
    SetBars(4, hsb.H, hsb.S, hsb.B);
}

void frm_myColor::ApplyToSelection(host::Color colour)
{
    ApplyColor(*application_, colour, state_.TargetType);
}

// Every swatch flattens back to a bump but the hovered one, which rises and
// names its HSL view.
void frm_myColor::HighlightSwatch(forms::Label& hovered)
{
    DefaultLabView();
    hovered.SetSpecialEffect(forms::SpecialEffect::Raised);
    hovered.SetControlTipText(HslToolTip(hovered.BackColor()));
}

void frm_myColor::DefaultLabView()
{
    for (forms::Control* control : Controls()) {
        if (control->Name().starts_with("Label")) {
            control->SetSpecialEffect(forms::SpecialEffect::Bump);
        }
    }
}

void frm_myColor::ExtraForm()
{
    if (Width() != kNarrowWidth) {
        SetWidth(kNarrowWidth);
        Lab_arrow_->SetCaption("4");
        Cmd_Extra_->SetControlTipText("扩展功能");
    } else {
        SetWidth(kFullWidthTwips / kTwipsPerPoint);
        Lab_arrow_->SetCaption("3");
        Cmd_Extra_->SetControlTipText("基本功能");
    }
}

void frm_myColor::Cmd_Extra_Click()
{
    ExtraForm();
}

void frm_myColor::changeRGBColor()
{
    WriteBarsIntoBoxes(1);
    if (state_.ColorSyncEnabled) {
        SetDisplayColor(RGB(bars_[0]->Value(), bars_[1]->Value(), bars_[2]->Value()));
    }
    FollowDisplayColor();
    state_.ColorSyncEnabled = false;
    SyncHSBBars();
    state_.ColorSyncEnabled = true;
}

void frm_myColor::changeHSBColor()
{
    WriteBarsIntoBoxes(4);
    const ColorRGB rgb = HSBtoRGB(static_cast<std::int16_t>(bars_[3]->Value()),
                                  static_cast<std::int16_t>(bars_[4]->Value()),
                                  static_cast<std::int16_t>(bars_[5]->Value()));
    if (state_.ColorSyncEnabled) {
        SetDisplayColor(RGB(rgb));
    }
    FollowDisplayColor();
    state_.ColorSyncEnabled = false;
    SyncRGBBars();
    state_.ColorSyncEnabled = true;
}

// Bars the program moves itself arrive here with the sync switched off.
void frm_myColor::ScrollBar_Change(int bar)
{
    if (!state_.ColorSyncEnabled) {
        return;
    }
    if (bar <= 3) {
        changeRGBColor();
    } else {
        changeHSBColor();
    }
    ApplyToSelection(DisplayColor());
}

void frm_myColor::SpinButton1_Change()
{
    L_Deep_->SetCaption(std::to_string(SpinButton1_->Value() * 10) + "%");
    state_.GradDeep = SpinButton1_->Value() / 10.0;
    FillVariations();
}

void frm_myColor::SpinButton2_Change()
{
    L_gNum_->SetCaption(std::to_string(SpinButton2_->Value()));
    FillGradient();
}

// The scheme options of the HSB and HSL frames form one choice of six.
// Restoring the choice at opening leaves the grid to the opening itself.
void frm_myColor::SchemeOption_Change(int gradMode)
{
    if (!ready_) {
        return;
    }
    if (SchemeOption(gradMode).Value()) {
        state_.GradMode = static_cast<std::int16_t>(gradMode);
        const int otherFrame = gradMode <= 3 ? 4 : 1;
        for (int mode = otherFrame; mode < otherFrame + 3; ++mode) {
            SchemeOption(mode).SetValue(false);
        }
    }
    FillVariations();
}

// Restoring the target at opening does not recolour the selection. Only the
// option that becomes selected applies: the one being cleared would colour
// the target just left.
void frm_myColor::TargetOption_Change(int targetType)
{
    if (!ready_ || !TargetOption(targetType).Value()) {
        return;
    }
    state_.TargetType = static_cast<std::int16_t>(targetType);
    ApplyToSelection(DisplayColor());
}

forms::OptionButton& frm_myColor::SchemeOption(int gradMode) const
{
    return Controls<forms::OptionButton>(Numbered("OptionButton", gradMode <= 3 ? gradMode : gradMode + 3));
}

forms::OptionButton& frm_myColor::TargetOption(int targetType) const
{
    return Controls<forms::OptionButton>(Numbered("OptionButton", targetType + 3));
}

}  // namespace velmora::color
