#include <string>
#include <vector>

#include "font/frm_setFont.hpp"
#include "forms/ScriptedDriver.hpp"
#include "host/SettingsStore.hpp"
#include "tests/font/FontFixture.hpp"

namespace velmora::testing {
namespace {

using font::frm_setFont;
using Names = std::vector<std::string>;

// The dialog loaded (initialised) over a one-slide deck, without a user.
class FontDialogTest : public FontTest {
protected:
    void SetUp() override { NewDeck({host::SlideLayout::Blank}); }

    std::unique_ptr<frm_setFont> Open()
    {
        auto dialog = std::make_unique<frm_setFont>(driver_, *application_, services_, fonts_);
        dialog->Load();
        return dialog;
    }

    void Store(const std::string& key, const std::string& value)
    {
        services_.settings->SaveSetting(host::kAppName, "SetFont-Settings", key, value);
    }

    static Names Items(const forms::ComboBox& box)
    {
        Names items;
        for (int i = 0; i < box.ListCount(); ++i) {
            items.push_back(box.List(i));
        }
        return items;
    }

    Names installed_{"宋体", "Arial", "ARIAL", "黑体"};
    font::md_SetFont fonts_{[this] { return installed_; }};
    forms::ScriptedDriver driver_;
};

TEST_F(FontDialogTest, FirstUseShowsTheDesignedState)
{
    const auto dialog = Open();
    EXPECT_EQ(dialog->Caption(), "设置字体");
    EXPECT_TRUE(dialog->OptionButton2.Value());
    EXPECT_FALSE(dialog->OptionButton1.Value());
    EXPECT_EQ(dialog->MultiPage1.Value(), 0);
    for (const auto* box : {&dialog->CheckBox1, &dialog->CheckBox2, &dialog->CheckBox3, &dialog->CheckBox4,
                            &dialog->CheckBox5, &dialog->CheckBox6}) {
        EXPECT_FALSE(box->Value()) << box->Name();
    }
    EXPECT_FALSE(dialog->CheckBox5.Enabled());
    EXPECT_TRUE(dialog->OptionButton3.Value());
    EXPECT_TRUE(dialog->OptionButton9.Value());
    EXPECT_EQ(dialog->ComboBox3.Text(), "16");
    EXPECT_EQ(dialog->ComboBox4.Text(), "5");
    EXPECT_EQ(dialog->ComboBox1.Text(), "宋体");
    EXPECT_EQ(dialog->ComboBox2.Text(), "Arial");
    EXPECT_EQ(dialog->ComboBox2.FontName(), "Arial");
    for (const auto* box : {&dialog->ComboBox1, &dialog->ComboBox2, &dialog->ComboBox3, &dialog->ComboBox4}) {
        EXPECT_FALSE(box->Visible()) << box->Name();
    }
    EXPECT_EQ(dialog->Label2.BackColor(), 0);
    EXPECT_FALSE(dialog->Cmd_Color.Enabled());
    EXPECT_EQ(dialog->ToggleButton3.ControlTipText(), "[加粗]|[不加粗]");
    EXPECT_EQ(dialog->ToggleButton6.ControlTipText(), "[阴影]|[无阴影]");
    for (const auto* toggle :
         {&dialog->ToggleButton3, &dialog->ToggleButton4, &dialog->ToggleButton5, &dialog->ToggleButton6}) {
        EXPECT_FALSE(toggle->Enabled()) << toggle->Name();
        EXPECT_EQ(toggle->FontName(), "Times New Roman");
    }

    ASSERT_EQ(dialog->ComboBox3.ListCount(), 96);
    EXPECT_EQ(dialog->ComboBox3.List(95), "96");
    ASSERT_EQ(dialog->ComboBox4.ListCount(), 191);
    EXPECT_EQ(dialog->ComboBox4.List(0), "-95");
    EXPECT_EQ(dialog->ComboBox4.List(95), "0");
    EXPECT_EQ(dialog->ComboBox4.List(190), "95");
}

TEST_F(FontDialogTest, GroupBoxIsEnabledWhileAnyOfBodyShapesOrTablesIsTicked)
{
    const auto dialog = Open();
    dialog->CheckBox2.PerformClick();
    EXPECT_TRUE(dialog->CheckBox5.Enabled());
    dialog->CheckBox5.PerformClick();
    dialog->CheckBox3.PerformClick();
    dialog->CheckBox2.PerformClick();
    EXPECT_TRUE(dialog->CheckBox5.Enabled()) << "CheckBox3 is still ticked";
    dialog->CheckBox3.PerformClick();
    EXPECT_FALSE(dialog->CheckBox5.Enabled());
    EXPECT_TRUE(dialog->CheckBox5.Value()) << "its own tick stays";
}

TEST_F(FontDialogTest, SizeBoxesFollowTheSizeModeAndFontBoxesTheirTicks)
{
    const auto dialog = Open();
    dialog->OptionButton10.PerformClick();
    EXPECT_TRUE(dialog->ComboBox3.Visible());
    EXPECT_FALSE(dialog->ComboBox4.Visible());
    dialog->OptionButton11.PerformClick();
    EXPECT_FALSE(dialog->ComboBox3.Visible());
    EXPECT_TRUE(dialog->ComboBox4.Visible());
    dialog->OptionButton9.PerformClick();
    EXPECT_FALSE(dialog->ComboBox3.Visible());
    EXPECT_FALSE(dialog->ComboBox4.Visible());

    dialog->CheckBox7.PerformClick();
    EXPECT_TRUE(dialog->ComboBox1.Visible());
    dialog->ComboBox1.SetText("黑体");
    EXPECT_EQ(dialog->ComboBox1.FontName(), "黑体") << "a preview of the chosen font";
    dialog->ComboBox1.events.FireMouseDown(1, 0, 0, 0);
    EXPECT_EQ(dialog->ComboBox1.FontName(), "宋体");
    dialog->CheckBox9.PerformClick();
    EXPECT_TRUE(dialog->Cmd_Color.Enabled());
    dialog->CheckBox12.PerformClick();
    EXPECT_TRUE(dialog->ToggleButton5.Enabled());
}

TEST_F(FontDialogTest, StyleTogglesShowTheirStateInTheirTooltips)
{
    const auto dialog = Open();
    dialog->ToggleButton3.SetValue(true);
    EXPECT_EQ(dialog->ToggleButton3.ControlTipText(), "[◆粗体] | [常规]");
    dialog->ToggleButton3.SetValue(false);
    EXPECT_EQ(dialog->ToggleButton3.ControlTipText(), "[◆常规] | [粗体]");
    dialog->ToggleButton4.SetValue(true);
    EXPECT_EQ(dialog->ToggleButton4.ControlTipText(), "[◆斜体] | [常规]");
    dialog->ToggleButton5.SetValue(true);
    dialog->ToggleButton5.SetValue(false);
    EXPECT_EQ(dialog->ToggleButton5.ControlTipText(), "[◆常规] | [下划线] ");
    dialog->ToggleButton6.SetValue(true);
    EXPECT_EQ(dialog->ToggleButton6.ControlTipText(), "[◆阴影] | [常规] ");
}

TEST_F(FontDialogTest, StoredStateIsRestoredThroughTheControls)
{
    Store("CheckBox3", "True");
    Store("CheckBox5Enabled", "False");
    Store("Option9", "False");
    Store("Option11", "True");
    Store("FreSize", "-3");
    Store("Page", "1");
    Store("ComboBox1", "不存在的字体");
    Store("CheckBox7", "True");
    Store("FColor", "255");
    Store("ToggleButton3", "True");
    Store("Option1", "True");
    Store("Option2", "False");

    const auto dialog = Open();
    EXPECT_TRUE(dialog->CheckBox3.Value());
    EXPECT_FALSE(dialog->CheckBox5.Enabled()) << "the stored enabled state comes after the click rule";
    EXPECT_TRUE(dialog->OptionButton11.Value());
    EXPECT_FALSE(dialog->OptionButton9.Value());
    EXPECT_TRUE(dialog->ComboBox4.Visible());
    EXPECT_EQ(dialog->ComboBox4.Text(), "-3");
    EXPECT_EQ(dialog->MultiPage1.Value(), 1);
    EXPECT_TRUE(dialog->OptionButton1.Value());
    EXPECT_FALSE(dialog->OptionButton2.Value());
    EXPECT_TRUE(dialog->ComboBox1.Visible());
    EXPECT_EQ(dialog->ComboBox1.Text(), "不存在的字体");
    EXPECT_EQ(dialog->ComboBox1.FontName(), "不存在的字体");
    EXPECT_EQ(dialog->Label2.BackColor(), 255);
    EXPECT_TRUE(dialog->ToggleButton3.Value());
    EXPECT_EQ(dialog->ToggleButton3.ControlTipText(), "[◆粗体] | [常规]");
}

TEST_F(FontDialogTest, ValuesThatDoNotFitAreSkipped)
{
    Store("FColor", "red");
    Store("Page", "7");
    Store("CheckBox2", "perhaps");
    const auto dialog = Open();
    EXPECT_EQ(dialog->Label2.BackColor(), 0);
    EXPECT_EQ(dialog->MultiPage1.Value(), 0);
    EXPECT_FALSE(dialog->CheckBox2.Value());
}

TEST_F(FontDialogTest, BothFontBoxesListEveryFamilyOnceAndKeepTheListWhileLoaded)
{
    EXPECT_EQ(Items(Open()->ComboBox1), (Names{"宋体", "Arial", "黑体"}));
    installed_ = {"楷体", "arial"};
    const auto dialog = Open();
    const Names expected{"宋体", "Arial", "黑体", "楷体"};
    EXPECT_EQ(Items(dialog->ComboBox1), expected);
    EXPECT_EQ(Items(dialog->ComboBox2), expected);
}

TEST_F(FontDialogTest, ColourChooserSetsTheSwatchAndCancelLeavesIt)
{
    prompts_->AddColor(0x0000FF);
    const auto dialog = Open();
    dialog->Label2.PerformClick();
    EXPECT_EQ(dialog->Label2.BackColor(), 0x0000FF);
    dialog->CheckBox9.PerformClick();
    dialog->Cmd_Color.PerformClick();
    EXPECT_EQ(dialog->Label2.BackColor(), 0x0000FF) << "cancelled";
    ASSERT_EQ(prompts_->Transcript().size(), 2u);
    EXPECT_EQ(prompts_->Transcript()[1].prompt, "0,0,0") << "the chooser always starts from black";
}

TEST_F(FontDialogTest, CancelKeepsTheStateOfTheLastCompletedRun)
{
    RunSetFont({Set("CheckBox3", "true"), Set("OptionButton11", "true"), Set("ComboBox4", "-3"),
                Set("MultiPage1", "1"), Set("OptionButton7", "true"), Click("CommandButton1")});
    EXPECT_EQ(Stored("CheckBox3"), "True");
    EXPECT_EQ(Stored("CheckBox5Enabled"), "True");
    EXPECT_EQ(Stored("Option9"), "False");
    EXPECT_EQ(Stored("Option7"), "True");
    EXPECT_EQ(Stored("FreSize"), "-3");
    EXPECT_EQ(Stored("FSize"), "16");
    EXPECT_EQ(Stored("FColor"), "0");
    EXPECT_EQ(Stored("Page"), "1");
    EXPECT_EQ(Stored("ComboBox2"), "Arial");

    RunSetFont({Set("CheckBox3", "false"), Set("OptionButton9", "true"), Set("MultiPage1", "0"),
                Click("CommandButton2")});
    const auto dialog = Open();
    EXPECT_TRUE(dialog->CheckBox3.Value());
    EXPECT_TRUE(dialog->OptionButton11.Value());
    EXPECT_EQ(dialog->ComboBox4.Text(), "-3");
    EXPECT_EQ(dialog->MultiPage1.Value(), 1);
    EXPECT_TRUE(dialog->OptionButton7.Value());
    EXPECT_FALSE(dialog->OptionButton3.Value());
}

}  // namespace
}  // namespace velmora::testing
