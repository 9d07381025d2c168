#include <array>
#include <cstdlib>
#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "cli/ScriptedScreen.hpp"
#include "color/frm_Colorpicker.hpp"
#include "host/HostError.hpp"
#include "host/Presentation.hpp"
#include "host/Shape.hpp"
#include "host/Slide.hpp"
#include "host/TextRange.hpp"
#include "platform/FileSettingsStore.hpp"
#include "pptx/DocumentHost.hpp"
#include "tests/support/Decks.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::color {
namespace {

// Leaves a shown form open, as the desktop does with a modeless dialog.
class OpenDriver : public forms::FormDriver {
public:
    void Run(forms::UserForm&, bool) override {}
};

// A 4 x 2 screen: orange (255, 128, 0) at the top left, then blue, green, white.
void WriteScreen(const std::filesystem::path& file)
{
    std::ofstream out(file, std::ios::binary);
    out << "P6\n4 2\n255\n";
    const std::array<unsigned char, 24> pixels{255, 128, 0, 0, 0, 255, 0, 255, 0, 255, 255, 255,
                                               10, 20, 30, 40, 50, 60, 70, 80, 90, 1, 2, 3};
    out.write(reinterpret_cast<const char*>(pixels.data()), pixels.size());
}

class PickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("VELMORA_SETTINGS", (dir_ / "settings.ini").c_str(), 1);
        WriteScreen(dir_ / "screen.ppm");
        screen_ = std::make_shared<cli::ScriptedScreen>(dir_ / "screen.ppm", host::ScreenPoint{0, 0});
        services_.settings = std::make_shared<platform::FileSettingsStore>();
        services_.screen = screen_;
        decks_.Build(dir_ / "deck.pptx", {{"标题", "", 0, false, {}}});
        presentation_ = decks_.OpenInWindow(dir_ / "deck.pptx");
        auto shapes = presentation_->Slides()->Item(1)->Shapes();
        shapes->AddShape(host::AutoShapeType::Rectangle, 20, 20, 100, 50)->SetName("Rect");
        pptx::SelectShapes(*decks_.app().ActiveWindow(), 1, {"Rect"});
    }

    void TearDown() override
    {
        if (picker_ && picker_->IsLoaded()) {
            picker_->Unload();
        }
        unsetenv("VELMORA_SETTINGS");
    }

    frm_Colorpicker& Open()
    {
        picker_ = std::make_unique<frm_Colorpicker>(driver_, decks_.app(), services_, module_);
        picker_->Show(false);
        return *picker_;
    }

    host::Color Fill() { return presentation_->Slides()->Item(1)->Shapes()->Item("Rect")->Fill()->ForeColor()->RGB(); }

    std::string Stored(const std::string& key) const
    {
        return platform::FileSettingsStore(dir_ / "settings.ini").GetSetting(host::kAppName, kPickerSection, key, "-");
    }

    testing::TempDir dir_;
    testing::DeckHost decks_;
    host::Ref<host::Presentation> presentation_;
    std::shared_ptr<cli::ScriptedScreen> screen_;
    host::Services services_;
    OpenDriver driver_;
    md_ColorPicker module_;
    std::unique_ptr<frm_Colorpicker> picker_;
};

TEST(HotKeys, NinetyNineDistinctKeysWithoutCommaAndPeriod)
{
    std::set<int> keys;
    for (int id = 1; id <= kHotKeyCount; ++id) {
        keys.insert(HotKeyVirtualKey(id));
    }
    EXPECT_EQ(keys.size(), 99u);
    EXPECT_FALSE(keys.contains(188));
    EXPECT_FALSE(keys.contains(190));
    EXPECT_EQ(HotKeyVirtualKey(1), '0');
    EXPECT_EQ(HotKeyVirtualKey(11), 'A');
    EXPECT_EQ(HotKeyVirtualKey(67), 126);  // F15
    EXPECT_EQ(HotKeyVirtualKey(68), 32);   // space
    EXPECT_EQ(HotKeyVirtualKey(99), 222);  // apostrophe
    EXPECT_EQ(HotKeyVirtualKey(100), 0);
}

TEST_F(PickerTest, FirstOpeningWithoutSettings)
{
    frm_Colorpicker& picker = Open();
    EXPECT_EQ(picker.Height() * 20, 2780);
    EXPECT_EQ(picker.Lab_arrow.Caption(), "6");
    EXPECT_EQ(picker.Cmd_Extra.ControlTipText(), "扩展");
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(picker.FavouriteSwatch(n).BackColor(), 16777215);
        EXPECT_EQ(picker.FavouriteOption(n).Value(), n == 1);
        EXPECT_FALSE(picker.FavouriteOption(n).Enabled());
    }
    EXPECT_TRUE(picker.OptionButton1.Value());
    EXPECT_EQ(picker.OptionButton1.Caption(), "填充");
    EXPECT_EQ(picker.Frame1.ControlTipText(), "设置颜色应用对象");
    EXPECT_EQ(picker.Caption(), "锁定取色：按任意键");
    EXPECT_FALSE(picker.Img_Lock.Visible());
    EXPECT_TRUE(screen_->PointerReplaced());
    EXPECT_EQ(screen_->RegisteredKeys(), 99u);
    EXPECT_EQ(screen_->Timers(), 1u);
}

TEST_F(PickerTest, ReadoutsOfTheSampleUnderThePointer)
{
    frm_Colorpicker& picker = Open();
    EXPECT_EQ(picker.Label6.Caption(), "0");
    screen_->Tick();
    EXPECT_EQ(picker.Lab_Color0.BackColor(), 255 + 128 * 256);
    EXPECT_EQ(picker.Label5.Caption(), "X:0, Y:0");
    EXPECT_EQ(picker.Label6.Caption(), "255,128,0");
    EXPECT_EQ(picker.Label7.Caption(), "80FF");
    EXPECT_EQ(picker.Label8.Caption(), "30,100,100");
    // Off the screen the read fails and the last sample stays.
    screen_->MovePointer({50, 50});
    screen_->Tick();
    EXPECT_EQ(picker.Lab_Color0.BackColor(), 255 + 128 * 256);
    EXPECT_EQ(picker.Label5.Caption(), "X:50, Y:50");
}

TEST_F(PickerTest, ALetterKeyLocksAndUnlocks)
{
    frm_Colorpicker& picker = Open();
    screen_->Tick();
    ASSERT_TRUE(screen_->PressKey("a"));
    EXPECT_TRUE(module_.PickLocked);
    EXPECT_TRUE(picker.Img_Lock.Visible());
    EXPECT_TRUE(picker.Img_Lock.HasPicture()) << "the lock shows a padlock, not an empty box";
    EXPECT_EQ(picker.Caption(), "解除锁定：按任意键");
    EXPECT_FALSE(screen_->PointerReplaced());
    EXPECT_TRUE(picker.FavouriteOption(5).Enabled());
    // Frozen: another pixel under the pointer changes nothing.
    screen_->MovePointer({1, 0});
    screen_->Tick();
    EXPECT_EQ(picker.Label6.Caption(), "255,128,0");

    ASSERT_TRUE(screen_->PressKey("A"));
    EXPECT_FALSE(module_.PickLocked);
    EXPECT_FALSE(picker.Img_Lock.Visible());
    EXPECT_TRUE(screen_->PointerReplaced());
    EXPECT_FALSE(picker.FavouriteOption(5).Enabled());
    screen_->Tick();
    EXPECT_EQ(picker.Label6.Caption(), "0,0,255");
}

TEST_F(PickerTest, CommaPeriodAndCombinationsDoNotToggle)
{
    Open();
    for (const char* key : {"comma", "period", "shift+a", "ctrl+a", "Shift_L"}) {
        EXPECT_FALSE(screen_->PressKey(key)) << key;
        EXPECT_FALSE(module_.PickLocked) << key;
    }
    EXPECT_TRUE(screen_->PressKey("F5"));
    EXPECT_TRUE(module_.PickLocked);
}

TEST_F(PickerTest, AKeyAnotherProgramHoldsIsSkipped)
{
    int othersPresses = 0;
    screen_->RegisterHotKey(1, 7, 'A');
    screen_->SetHotKeyHandler(1, [&](int) { ++othersPresses; });
    Open();
    EXPECT_EQ(screen_->RegisteredKeys(), 99u);  // 98 of the picker's and the other's
    screen_->PressKey("a");
    EXPECT_EQ(othersPresses, 1);
    EXPECT_FALSE(module_.PickLocked);
}

TEST_F(PickerTest, AFavouriteTakesTheSampleOnlyWhileLocked)
{
    frm_Colorpicker& picker = Open();
    screen_->Tick();
    picker.FavouriteOption(3).SetValue(true);
    EXPECT_EQ(picker.FavouriteSwatch(3).BackColor(), 16777215);
    screen_->PressKey("a");
    picker.FavouriteOption(1).PerformClick();
    picker.FavouriteOption(3).PerformClick();
    EXPECT_EQ(picker.FavouriteSwatch(3).BackColor(), 255 + 128 * 256);
    EXPECT_EQ(picker.FavouriteSwatch(1).BackColor(), 255 + 128 * 256);
}

TEST_F(PickerTest, SwatchClicksColourTheSelectionAsTheTargetSays)
{
    frm_Colorpicker& picker = Open();
    screen_->Tick();
    screen_->PressKey("a");
    picker.Lab_Color0.PerformClick();
    EXPECT_EQ(Fill(), 255 + 128 * 256);
    picker.FavouriteSwatch(2).SetBackColor(0x123456);
    picker.OptionButton3.PerformClick();
    picker.FavouriteSwatch(2).PerformClick();
    EXPECT_EQ(presentation_->Slides()->Item(1)->Shapes()->Item("Rect")->Line()->ForeColor()->RGB(), 0x123456);
    EXPECT_EQ(Fill(), 255 + 128 * 256);
}

TEST_F(PickerTest, HoveringRaisesOneSwatch)
{
    frm_Colorpicker& picker = Open();
    picker.FavouriteSwatch(2).events.FireMouseMove(0, 0, 1, 1);
    EXPECT_EQ(picker.FavouriteSwatch(2).SpecialEffect(), forms::SpecialEffect::Raised);
    EXPECT_EQ(picker.Lab_Color0.SpecialEffect(), forms::SpecialEffect::Bump);
    picker.Frame2.events.FireMouseMove(0, 0, 1, 1);
    EXPECT_EQ(picker.FavouriteSwatch(2).SpecialEffect(), forms::SpecialEffect::Bump);
}

TEST_F(PickerTest, ClosingReleasesTheDesktopAndKeepsTheChoices)
{
    frm_Colorpicker& picker = Open();
    screen_->Tick();
    screen_->PressKey("a");
    picker.FavouriteOption(3).PerformClick();
    picker.OptionButton3.PerformClick();
    screen_->PressKey("a");
    picker.Unload();
    EXPECT_FALSE(screen_->PointerReplaced());
    EXPECT_EQ(screen_->RegisteredKeys(), 0u);
    EXPECT_EQ(screen_->Timers(), 0u);
    EXPECT_EQ(Stored("FavoriteColor3"), std::to_string(255 + 128 * 256));
    EXPECT_EQ(Stored("FavoriteColor1"), "16777215");
    EXPECT_EQ(Stored("ColorOption"), "3");
    EXPECT_EQ(Stored("ColorPickerTarget"), "线条");
    EXPECT_EQ(Stored("FormHeight"), "2780");
    // The presentation program comes back maximised.
    EXPECT_EQ(decks_.app().WindowState(), host::WindowState::Maximized);
    EXPECT_TRUE(decks_.app().Visible());

    // The next opening shows the other layout and the kept choices.
    frm_Colorpicker& again = Open();
    EXPECT_EQ(again.Height() * 20, 3700);
    EXPECT_EQ(again.Lab_arrow.Caption(), "5");
    EXPECT_EQ(again.Cmd_Extra.ControlTipText(), "收起");
    EXPECT_EQ(again.FavouriteSwatch(3).BackColor(), 255 + 128 * 256);
    EXPECT_TRUE(again.FavouriteOption(3).Value());
    EXPECT_TRUE(again.OptionButton3.Value());
    EXPECT_FALSE(again.OptionButton1.Value());
}

TEST_F(PickerTest, WithoutAScreenThePickerSaysItNeedsX11)
{
    services_.screen = nullptr;
    try {
        GetColor_main(decks_.app(), services_, driver_);
        FAIL() << "the picker opened without a screen";
    } catch (const host::HostError& error) {
        EXPECT_NE(std::string(error.what()).find("X11"), std::string::npos);
    }
}

}  // namespace
}  // namespace velmora::color
