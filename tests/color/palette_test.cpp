#include <memory>

#include <gtest/gtest.h>

#include "color/frm_myColor.hpp"
#include "forms/ScriptedDriver.hpp"
#include "host/HostError.hpp"
#include "platform/FileSettingsStore.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::color {
namespace {

constexpr host::Color kRed = 255;
constexpr host::Color kYellow = 65535;
constexpr host::Color kBlue = 16711680;
constexpr host::Color kWhite = 16777215;

// A host without a window: it counts how often a colour was applied, each
// ApplyColor asking for the active window once.
class CountingApplication : public host::Application {
public:
    int applied = 0;

    host::Ref<host::Presentation> ActivePresentation() override { throw host::HostError("no presentation"); }
    host::Ref<host::DocumentWindow> ActiveWindow() override
    {
        ++applied;
        throw host::HostError("no window");
    }
    host::Ref<host::Presentations> Presentations() override { throw host::HostError("no presentations"); }
    std::string Version() const override { return "14.0"; }
    host::Ref<host::FileDialog> FileDialog(int) override { throw host::HostError("no file dialog"); }
    int WindowState() const override { return host::WindowState::Normal; }
    void SetWindowState(int) override {}
    bool Visible() const override { return true; }
    void SetVisible(bool) override {}
};

TEST(Variations, HslSchemesStepOnThe240Scale)
{
    // Red is HSL (0, 240, 120); at intensity 0.5 a step is 12 units.
    const auto hue = Variations(kRed, 4, 0.5).value();
    EXPECT_EQ(hue[40], kRed);
    EXPECT_EQ(hue[41], RGB(HSLtoRGB(12, 240, 120)));
    EXPECT_EQ(hue[36], RGB(HSLtoRGB(192, 240, 120)));
    EXPECT_EQ(hue[4], RGB(HSLtoRGB(0, 192, 120)));
    EXPECT_EQ(hue[76], kRed) << "saturation held at 240";
    EXPECT_EQ(Variations(kRed, 5, 0.5).value()[4], RGB(HSLtoRGB(0, 240, 168)));
    EXPECT_EQ(Variations(kRed, 6, 0.5).value()[0], RGB(HSLtoRGB(0, 192, 168)));
    EXPECT_FALSE(Variations(kRed, 7, 0.5));
    EXPECT_FALSE(Variations(kRed, 0, 0.5));
}

class Palette : public ::testing::Test {
protected:
    Palette() { services_.settings = std::make_shared<platform::FileSettingsStore>(dir_ / "settings.ini"); }

    // A freshly opened palette; the previous one, if any, is closed first.
    frm_myColor& Open()
    {
        if (form_) {
            form_->Unload();
        }
        form_ = std::make_unique<frm_myColor>(driver_, host_, services_);
        form_->Load();
        return *form_;
    }

    std::string Stored(const std::string& key) const
    {
        return services_.settings->GetSetting(host::kAppName, kPaletteSection, key, "(none)");
    }

    forms::Label& Label(int number) const { return form_->Controls<forms::Label>("Label" + std::to_string(number)); }
    host::Color Swatch(int number) const { return Label(number).BackColor(); }
    int Bar(int number) const { return form_->Controls<forms::ScrollBar>("ScrollBar" + std::to_string(number)).Value(); }
    std::string Box(int number) const
    {
        return form_->Controls<forms::TextBox>("TextBox" + std::to_string(number)).Text();
    }
    bool Option(const std::string& name) const { return form_->Controls<forms::OptionButton>(name).Value(); }
    std::string Caption(const std::string& name) const { return form_->Controls(name).Caption(); }
    host::Color Colour(const std::string& name) const { return form_->Controls(name).BackColor(); }
    void Click(const std::string& name) const { form_->Controls(name).PerformClick(); }
    void Set(const std::string& name, int value) const { form_->Controls<forms::RangeControl>(name).SetValue(value); }

    std::vector<host::Color> ShownGradient() const
    {
        std::vector<host::Color> shown;
        for (int n = 113; n <= 142; ++n) {
            if (Label(n).Visible()) {
                shown.push_back(Swatch(n));
            }
        }
        return shown;
    }

    std::vector<host::Color> VariationGrid() const
    {
        std::vector<host::Color> grid;
        for (int n = 25; n <= 105; ++n) {
            grid.push_back(Swatch(n));
        }
        return grid;
    }

    testing::TempDir dir_;
    host::Services services_;
    CountingApplication host_;
    forms::ScriptedDriver driver_;
    std::unique_ptr<frm_myColor> form_;
};

TEST_F(Palette, FirstOpeningIsNarrowAndWhite)
{
    Open();
    EXPECT_EQ(form_->Width(), 236);
    EXPECT_EQ(Caption("Lab_arrow"), "4");
    EXPECT_EQ(form_->Controls("Cmd_Extra").ControlTipText(), "扩展功能");
    EXPECT_EQ(Colour("L_Disp"), kWhite);
    EXPECT_EQ(Colour("L_Start"), kWhite);
    EXPECT_EQ(Colour("L_End"), kWhite);
    EXPECT_EQ(ShownGradient(), std::vector<host::Color>(10, kWhite));
    EXPECT_EQ(Caption("L_Deep"), "50%");
    EXPECT_EQ(Caption("L_gNum"), "8");
    EXPECT_TRUE(Option("OptionButton1"));
    EXPECT_TRUE(Option("OptionButton4"));
    EXPECT_EQ(Caption("OptionButton4"), "填充");
    EXPECT_EQ((std::vector<int>{Bar(1), Bar(2), Bar(3), Bar(4), Bar(5), Bar(6)}),
              (std::vector<int>{255, 255, 255, 0, 0, 100}));
    EXPECT_EQ(Box(3), "255");
    EXPECT_EQ(Box(6), "100");
    EXPECT_EQ(host_.applied, 0);
}

TEST_F(Palette, LayoutToggleSwitchesWidthAndEveryOpeningSwitchesAgain)
{
    Open();
    Click("Cmd_Extra");
    EXPECT_EQ(form_->Width(), 501);
    EXPECT_EQ(Caption("Lab_arrow"), "3");
    EXPECT_EQ(form_->Controls("Cmd_Extra").ControlTipText(), "基本功能");

    Open();
    EXPECT_EQ(Stored("FormWidth"), "10020");
    EXPECT_EQ(form_->Width(), 236);

    Open();
    EXPECT_EQ(Stored("FormWidth"), "4720");
    EXPECT_EQ(form_->Width(), 501);
    EXPECT_EQ(Caption("Lab_arrow"), "3");
}

TEST_F(Palette, ChoicesAreSavedOnClosingAndRestoredWithoutRecolouring)
{
    Open();
    Click("Label3");
    Set("SpinButton1", 3);
    Click("OptionButton8");
    Set("SpinButton2", 12);
    Click("Opt_End");
    Click("Label9");
    Click("OptionButton6");
    const std::vector<host::Color> grid = VariationGrid();
    form_->Unload();

    EXPECT_EQ(Stored("DispColor"), std::to_string(kBlue));
    EXPECT_EQ(Stored("GradDeep"), "0.3");
    EXPECT_EQ(Stored("GradMode"), "5");
    EXPECT_EQ(Stored("TargetType"), "3");
    EXPECT_EQ(Stored("StartColor"), std::to_string(kYellow));
    EXPECT_EQ(Stored("EndColor"), std::to_string(kBlue));
    EXPECT_EQ(Stored("GradNum"), "12");

    const int appliedBefore = host_.applied;
    Open();
    EXPECT_EQ(host_.applied, appliedBefore);
    EXPECT_EQ(Colour("L_Disp"), kBlue);
    EXPECT_EQ(Colour("L_Start"), kYellow);
    EXPECT_EQ(Colour("L_End"), kBlue);
    EXPECT_TRUE(Option("OptionButton8"));
    EXPECT_FALSE(Option("OptionButton1"));
    EXPECT_TRUE(Option("OptionButton6"));
    EXPECT_EQ(Caption("L_Deep"), "30%");
    EXPECT_EQ(Caption("L_gNum"), "12");
    EXPECT_EQ(ShownGradient().size(), 14u);
    EXPECT_EQ(VariationGrid(), grid);
    EXPECT_EQ(form_->State().TargetType, ApplyTarget::Line);
}

TEST_F(Palette, RedCentreStepsItsHueBy18Degrees)
{
    Open();
    Click("Label1");
    EXPECT_EQ(Colour("L_Disp"), kRed);
    EXPECT_EQ(Swatch(65), kRed);
    EXPECT_EQ(RGBtoHSB(Swatch(66)).H, 18);
    EXPECT_EQ(RGBtoHSB(Swatch(69)).H, 72);
    EXPECT_EQ(RGBtoHSB(Swatch(61)).H, 288);
    // Rows vary the saturation in the first scheme: the top row is paler.
    EXPECT_EQ(RGBtoHSB(Swatch(29)), (ColorHSB{0, 60, 100}));
}

TEST_F(Palette, SaturationAndBrightnessStayInRangeOnWhite)
{
    Open();
    Click("OptionButton3");
    EXPECT_EQ(form_->State().GradMode, 3);
    for (int n = 25; n <= 29; ++n) {
        EXPECT_EQ(Swatch(n), kWhite) << "Label" << n;
    }
    EXPECT_EQ(Swatch(30), RGB(HSBtoRGB(0, 10, 100)));
    EXPECT_EQ(Swatch(33), RGB(255, 153, 153));
    EXPECT_EQ(RGBtoHSB(Swatch(33)), (ColorHSB{0, 40, 100}));
}

TEST_F(Palette, SchemeOptionsOfBothFramesFormOneChoice)
{
    Open();
    Click("Label2");
    Click("OptionButton7");
    EXPECT_FALSE(Option("OptionButton1"));
    EXPECT_EQ(form_->State().GradMode, 4);
    const auto hsl = Variations(Colour("L_Disp"), 4, 0.5);
    EXPECT_EQ(VariationGrid(), std::vector<host::Color>(hsl->begin(), hsl->end()));

    Click("OptionButton2");
    EXPECT_FALSE(Option("OptionButton7"));
    EXPECT_EQ(form_->State().GradMode, 2);
    Set("SpinButton1", 10);
    EXPECT_EQ(Caption("L_Deep"), "100%");
    const auto strong = Variations(Colour("L_Disp"), 2, 1.0);
    EXPECT_EQ(VariationGrid(), std::vector<host::Color>(strong->begin(), strong->end()));
}

TEST_F(Palette, StepCountSetsHowManyGradientSwatchesShow)
{
    Open();
    Click("Label1");
    Set("SpinButton2", 1);
    EXPECT_EQ(Caption("L_gNum"), "1");
    // The green and blue midpoints are 127.5, which rounds to the even 128.
    EXPECT_EQ(ShownGradient(), (std::vector<host::Color>{kRed, RGB(255, 128, 128), kWhite}));

    Set("SpinButton2", 28);
    const auto shown = ShownGradient();
    ASSERT_EQ(shown.size(), 30u);
    EXPECT_EQ(shown.front(), kRed);
    EXPECT_EQ(shown.back(), kWhite);
}

TEST_F(Palette, MovingAnRgbBarUpdatesEverythingAndAppliesOnce)
{
    Open();
    Set("ScrollBar1", 200);
    const host::Color display = RGB(200, 255, 255);
    EXPECT_EQ(Colour("L_Disp"), display) << "the HSB bars moved without feeding back";
    EXPECT_EQ(Box(1), "200");
    EXPECT_EQ(Colour("L_Start"), display);
    EXPECT_EQ(Colour("L_End"), kWhite);
    EXPECT_EQ(ShownGradient().front(), display);
    const auto grid = Variations(display, 1, 0.5);
    EXPECT_EQ(VariationGrid(), std::vector<host::Color>(grid->begin(), grid->end()));
    const ColorHSB hsb = RGBtoHSB(display);
    EXPECT_EQ((std::vector<int>{Bar(4), Bar(5), Bar(6)}), (std::vector<int>{hsb.H, hsb.S, hsb.B}));
    EXPECT_EQ(Box(4), std::to_string(hsb.H));
    EXPECT_EQ(host_.applied, 1);
}

TEST_F(Palette, MovingAnHsbBarMovesTheRgbBarsAndTheEndChosen)
{
    Open();
    Click("Label1");
    Click("Opt_End");
    const int appliedBefore = host_.applied;
    Set("ScrollBar4", 120);
    EXPECT_EQ(Colour("L_Disp"), RGB(0, 255, 0));
    EXPECT_EQ((std::vector<int>{Bar(1), Bar(2), Bar(3)}), (std::vector<int>{0, 255, 0}));
    EXPECT_EQ(Box(2), "255");
    EXPECT_EQ(Colour("L_Start"), kRed);
    EXPECT_EQ(Colour("L_End"), RGB(0, 255, 0));
    EXPECT_EQ(host_.applied, appliedBefore + 1);
}

TEST_F(Palette, GradientClickChangesOnlyTheDisplayColourAndBars)
{
    Open();
    Click("Label1");
    const std::vector<host::Color> grid = VariationGrid();
    const std::vector<host::Color> gradient = ShownGradient();
    const host::Color picked = Swatch(117);
    const int appliedBefore = host_.applied;

    Click("Label117");
    EXPECT_EQ(Colour("L_Disp"), picked);
    EXPECT_EQ(Colour("L_Start"), kRed);
    EXPECT_EQ(Colour("L_End"), kWhite);
    EXPECT_EQ(VariationGrid(), grid);
    EXPECT_EQ(ShownGradient(), gradient);
    EXPECT_EQ(Bar(2), SplitColor(picked).G);
    EXPECT_EQ(Box(5), std::to_string(RGBtoHSB(picked).S));
    EXPECT_EQ(host_.applied, appliedBefore + 1);
}

TEST_F(Palette, OnlyTheTargetOptionSelectedAppliesTheDisplayColour)
{
    Open();
    Click("OptionButton5");
    EXPECT_EQ(host_.applied, 1) << "the cleared fill option applies nothing";
    EXPECT_EQ(form_->State().TargetType, ApplyTarget::Text);
    Click("OptionButton5");
    EXPECT_EQ(host_.applied, 1) << "choosing the target chosen already changes nothing";
}

TEST_F(Palette, TypingIntoAChannelBoxMovesItsBar)
{
    Open();
    auto& box = form_->Controls<forms::TextBox>("TextBox2");
    box.SetFocus();
    for (const char32_t key : U"1a-.28") {
        if (key != 0) {
            box.TypeKey(key);
        }
    }
    EXPECT_EQ(Box(2), "128");
    EXPECT_EQ(Colour("L_Disp"), RGB(255, 128, 255));

    auto& hue = form_->Controls<forms::TextBox>("TextBox5");
    hue.SetFocus();
    for (const char32_t key : U"300") {
        if (key != 0) {
            hue.TypeKey(key);
        }
    }
    EXPECT_EQ(Box(5), "100");
    EXPECT_EQ(Bar(5), 100);
}

TEST_F(Palette, HoverRaisesOneSwatchAndNamesItsHsl)
{
    Open();
    Click("Label9");
    Label(9).events.FireMouseMove(0, 0, 1, 1);
    EXPECT_EQ(Label(9).SpecialEffect(), forms::SpecialEffect::Raised);
    EXPECT_EQ(Label(9).ControlTipText(), "Windows HSL: 160,240,120");
    EXPECT_EQ(Label(1).SpecialEffect(), forms::SpecialEffect::Bump);

    Label(120).events.FireMouseMove(0, 0, 1, 1);
    EXPECT_EQ(Label(9).SpecialEffect(), forms::SpecialEffect::Bump);
    EXPECT_EQ(Label(120).SpecialEffect(), forms::SpecialEffect::Raised);

    form_->Controls("Frame7").events.FireMouseMove(0, 0, 1, 1);
    EXPECT_EQ(Label(120).SpecialEffect(), forms::SpecialEffect::Bump);
}

}  // namespace
}  // namespace velmora::color
