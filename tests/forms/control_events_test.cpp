#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "forms/Forms.hpp"
#include "forms/ScriptedDriver.hpp"

namespace velmora::forms {
namespace {

// A form whose controls log every Change and Click as "Name.Event".
class LoggingForm : public UserForm {
public:
    explicit LoggingForm(FormDriver& driver) : UserForm(driver, "frm_Test") {}

    template <typename T>
    T& Logged(Container& where, const std::string& name)
    {
        T& control = where.Add<T>(name);
        control.events.Change = [this, name] { log.push_back(name + ".Change"); };
        control.events.Click = [this, name] { log.push_back(name + ".Click"); };
        return control;
    }

    std::vector<std::string> TakeLog() { return std::exchange(log, {}); }

    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

class ControlEventsTest : public ::testing::Test {
protected:
    ScriptedDriver driver;
    LoggingForm form{driver};
};

TEST_F(ControlEventsTest, SettingTheSameValueFiresNothing)
{
    auto& check = form.Logged<CheckBox>(form, "CheckBox1");
    auto& toggle = form.Logged<ToggleButton>(form, "ToggleButton3");
    auto& bar = form.Logged<ScrollBar>(form, "ScrollBar1");
    auto& box = form.Logged<TextBox>(form, "TextBox1");
    auto& combo = form.Logged<ComboBox>(form, "ComboBox3");
    check.SetValue(false);
    toggle.SetValue(false);
    bar.SetValue(0);
    box.SetText("");
    combo.SetText("");
    EXPECT_EQ(form.TakeLog(), Log{});

    check.SetValue(true);
    check.SetValue(true);
    toggle.SetValue(true);
    bar.SetValue(7);
    bar.SetValue(7);
    box.SetText("16");
    box.SetText("16");
    EXPECT_EQ(form.TakeLog(), (Log{"CheckBox1.Change", "CheckBox1.Click", "ToggleButton3.Change",
                                   "ToggleButton3.Click", "ScrollBar1.Change", "TextBox1.Change"}));

    check.SetValue(false);
    EXPECT_EQ(form.TakeLog(), (Log{"CheckBox1.Change", "CheckBox1.Click"}));
}

TEST_F(ControlEventsTest, OptionGroupsByGroupNameSpanFrames)
{
    auto& frame1 = form.Add<Frame>("Frame1");
    auto& frame2 = form.Add<Frame>("Frame2");
    auto& a = form.Logged<OptionButton>(frame1, "OptionButton1");
    auto& b = form.Logged<OptionButton>(frame2, "OptionButton2");
    auto& other = form.Logged<OptionButton>(frame2, "OptionButton3");
    a.SetGroupName("G1");
    b.SetGroupName("G1");
    other.SetGroupName("G2");
    other.SetValue(true);
    a.SetValue(true);
    form.TakeLog();

    b.SetValue(true);
    EXPECT_FALSE(a.Value());
    EXPECT_TRUE(other.Value());
    EXPECT_EQ(form.TakeLog(), (Log{"OptionButton1.Change", "OptionButton2.Change", "OptionButton2.Click"}));

    // Clearing from code touches only the button itself, and fires no Click.
    b.SetValue(false);
    EXPECT_EQ(form.TakeLog(), Log{"OptionButton2.Change"});
}

TEST_F(ControlEventsTest, OptionGroupsWithoutGroupNameFollowTheContainer)
{
    auto& frame = form.Add<Frame>("Frame1");
    auto& multi = form.Add<MultiPage>("MultiPage1");
    Page& page = multi.AddPage("Page1", "按位置");
    auto& inFrameA = form.Logged<OptionButton>(frame, "OptionButton1");
    auto& inFrameB = form.Logged<OptionButton>(frame, "OptionButton2");
    auto& onPage = form.Logged<OptionButton>(page, "OptionButton3");
    auto& onForm = form.Logged<OptionButton>(form, "OptionButton4");
    auto& namedInFrame = form.Logged<OptionButton>(frame, "OptionButton5");
    namedInFrame.SetGroupName("G9");

    for (OptionButton* button : {&inFrameA, &onPage, &onForm, &namedInFrame}) {
        button->SetValue(true);
    }
    inFrameB.SetValue(true);
    EXPECT_FALSE(inFrameA.Value());
    EXPECT_TRUE(onPage.Value());
    EXPECT_TRUE(onForm.Value());
    EXPECT_TRUE(namedInFrame.Value());
}

TEST_F(ControlEventsTest, EachClearedButtonSeesTheNewSelection)
{
    auto& a = form.Logged<OptionButton>(form, "OptionButton9");
    auto& b = form.Logged<OptionButton>(form, "OptionButton10");
    a.SetValue(true);
    bool sawNewSelection = false;
    a.events.Change = [&] { sawNewSelection = !a.Value() && b.Value(); };
    b.SetValue(true);
    EXPECT_TRUE(sawNewSelection);
}

TEST_F(ControlEventsTest, UserClicksToggleOrSelect)
{
    auto& check = form.Logged<CheckBox>(form, "CheckBox2");
    auto& option = form.Logged<OptionButton>(form, "OptionButton1");
    auto& button = form.Logged<CommandButton>(form, "Cmd_OK");
    check.PerformClick();
    check.PerformClick();
    option.PerformClick();
    option.PerformClick();  // already selected: nothing changes
    button.PerformClick();
    EXPECT_FALSE(check.Value());
    EXPECT_TRUE(option.Value());
    EXPECT_EQ(form.TakeLog(), (Log{"CheckBox2.Change", "CheckBox2.Click", "CheckBox2.Change", "CheckBox2.Click",
                                   "OptionButton1.Change", "OptionButton1.Click", "Cmd_OK.Click"}));
}

TEST_F(ControlEventsTest, RangesClampTheirValue)
{
    auto& bar = form.Logged<ScrollBar>(form, "ScrollBar1");
    bar.SetMax(255);
    bar.SetValue(300);
    EXPECT_EQ(bar.Value(), 255);
    bar.SetValue(-5);
    EXPECT_EQ(bar.Value(), 0);
    bar.SetValue(200);
    form.TakeLog();
    bar.SetMax(100);  // the value follows a shrinking range
    EXPECT_EQ(bar.Value(), 100);
    EXPECT_EQ(form.TakeLog(), Log{"ScrollBar1.Change"});

    auto& spin = form.Add<SpinButton>("SpinButton2");
    spin.SetMin(1);
    spin.SetMax(28);
    EXPECT_EQ(spin.Value(), 1);
    spin.SetValue(99);
    EXPECT_EQ(spin.Value(), 28);

    auto& reversed = form.Add<ScrollBar>("ScrollBar2");
    reversed.SetMin(10);
    reversed.SetMax(0);
    reversed.SetValue(20);
    EXPECT_EQ(reversed.Value(), 10);
}

TEST_F(ControlEventsTest, ComboBoxTextAndListIndexFollowEachOther)
{
    auto& combo = form.Logged<ComboBox>(form, "ComboBox4");
    for (int i = -95; i <= 95; ++i) {
        combo.AddItem(std::to_string(i));
    }
    combo.SetText("5");
    EXPECT_EQ(combo.ListIndex(), 100);
    combo.SetText("5.5");
    EXPECT_EQ(combo.ListIndex(), -1);
    combo.SetListIndex(0);
    EXPECT_EQ(combo.Text(), "-95");
    EXPECT_EQ(form.TakeLog(), (Log{"ComboBox4.Change", "ComboBox4.Change", "ComboBox4.Change"}));
    EXPECT_THROW(combo.SetListIndex(191), std::invalid_argument);

    combo.SetStyle(ComboStyle::DropDownList);
    EXPECT_THROW(combo.SetText("not listed"), std::invalid_argument);
    EXPECT_EQ(combo.Text(), "-95");
}

TEST_F(ControlEventsTest, MultiPageValueSelectsAPage)
{
    auto& multi = form.Logged<MultiPage>(form, "MultiPage1");
    multi.AddPage("Page1", "按对象");
    multi.AddPage("Page2", "按位置");
    multi.SetValue(0);
    multi.SetValue(1);
    EXPECT_EQ(form.TakeLog(), Log{"MultiPage1.Change"});
    EXPECT_THROW(multi.SetValue(2), std::invalid_argument);
    EXPECT_EQ(multi.Pages("page2").Index(), 1);
}

TEST_F(ControlEventsTest, ReachabilityFollowsContainers)
{
    auto& frame = form.Add<Frame>("Frame1");
    auto& multi = frame.Add<MultiPage>("MultiPage1");
    Page& page = multi.AddPage("Page1", "");
    auto& check = page.Add<CheckBox>("CheckBox5");
    EXPECT_TRUE(check.Operable());
    frame.SetEnabled(false);
    EXPECT_FALSE(check.Operable());
    frame.SetEnabled(true);
    page.SetVisible(false);
    EXPECT_FALSE(check.Operable());
    page.SetVisible(true);
    check.SetEnabled(false);
    EXPECT_FALSE(check.Operable());
}

TEST_F(ControlEventsTest, AcceleratorComesFromTheCaptionOrIsExplicit)
{
    auto& ok = form.Add<CommandButton>("Cmd_OK");
    ok.SetCaption("确定(&O)");
    EXPECT_EQ(ok.Accelerator(), "O");
    ok.SetCaption("确定(O)");
    EXPECT_EQ(ok.Accelerator(), "");
    ok.SetAccelerator("O");
    EXPECT_EQ(ok.Accelerator(), "O");
    auto& label = form.Add<Label>("Label1");
    label.SetCaption("A && B &中");
    EXPECT_EQ(label.Accelerator(), "中");
}

TEST_F(ControlEventsTest, OnlyOneDefaultAndOneCancelButton)
{
    auto& ok = form.Add<CommandButton>("Cmd_OK");
    auto& cancel = form.Add<CommandButton>("Cmd_Cancel");
    ok.SetDefault(true);
    cancel.SetDefault(true);
    cancel.SetCancel(true);
    EXPECT_FALSE(ok.Default());
    EXPECT_TRUE(cancel.Default());
    ok.SetCancel(true);
    EXPECT_FALSE(cancel.Cancel());
}

}  // namespace
}  // namespace velmora::forms
