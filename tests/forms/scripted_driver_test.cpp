#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "forms/Forms.hpp"
#include "forms/ScriptedDriver.hpp"

namespace velmora::forms {
namespace {

using Log = std::vector<std::string>;

// A small dialog shaped like the tools' own: option groups, a text box, a
// scroll bar, a handle to drag, OK (default) and Cancel.
class frm_Script : public UserForm {
public:
    frm_Script(FormDriver& driver, Log& log) : UserForm(driver, "frm_Script"), log_(log)
    {
        OptionButton1.SetGroupName("G1");
        OptionButton2.SetGroupName("G1");
        ScrollBar1.SetMax(255);
        marktxt.SetMaxLength(8);
        Cmd_OK.SetDefault(true);
        Cmd_Cancel.SetCancel(true);
        Cmd_Color.SetEnabled(false);
        MultiPage1.AddPage("Page1", "按对象");
        MultiPage1.AddPage("Page2", "按位置");

        OptionButton2.events.MouseUp = [this](int, int, float, float) {
            Record("OptionButton2_MouseUp " + std::to_string(OptionButton2.Value()));
        };
        OptionButton2.events.Change = [this] { Record("OptionButton2_Change"); };
        Imgmove.events.MouseDown = [this](int button, int, float x, float y) { Mouse("Down", button, x, y); };
        Imgmove.events.MouseMove = [this](int button, int, float x, float y) { Mouse("Move", button, x, y); };
        Imgmove.events.MouseUp = [this](int button, int, float x, float y) { Mouse("Up", button, x, y); };
        Cmd_OK.events.Click = [this] { Cmd_OK_Click(); };
        Cmd_Cancel.events.Click = [this] { Unload(); };
    }

    // What a dialog's OK usually does; closeOnOk = false models one that
    // refuses to close (a failed check).
    void Cmd_OK_Click()
    {
        Record("Cmd_OK_Click " + std::to_string(OptionButton2.Value()) + " " + marktxt.Text() + " " +
               std::to_string(ScrollBar1.Value()) + " " + std::to_string(MultiPage1.Value()));
        if (closeOnOk) {
            Hide();
            Unload();
        }
    }

    bool closeOnOk = true;
    OptionButton& OptionButton1 = Add<OptionButton>("OptionButton1");
    OptionButton& OptionButton2 = Add<OptionButton>("OptionButton2");
    TextBox& marktxt = Add<TextBox>("marktxt");
    ScrollBar& ScrollBar1 = Add<ScrollBar>("ScrollBar1");
    SpinButton& SpinButton1 = Add<SpinButton>("SpinButton1");
    CheckBox& CheckBox1 = Add<CheckBox>("CheckBox1");
    ComboBox& ComboBox1 = Add<ComboBox>("ComboBox1");
    MultiPage& MultiPage1 = Add<MultiPage>("MultiPage1");
    Image& Imgmove = Add<Image>("Imgmove");
    CommandButton& Cmd_Color = Add<CommandButton>("Cmd_Color");
    CommandButton& Cmd_OK = Add<CommandButton>("Cmd_OK");
    CommandButton& Cmd_Cancel = Add<CommandButton>("Cmd_Cancel");

protected:
    void UserForm_Initialize() override { OptionButton1.SetValue(true); }
    void UserForm_Terminate() override { Record("Terminate"); }

private:
    void Record(std::string entry) { log_.push_back(std::move(entry)); }
    void Mouse(const std::string& what, int button, float x, float y)
    {
        Record("Imgmove_Mouse" + what + " " + std::to_string(button) + " " + std::to_string(static_cast<int>(x)) +
               "," + std::to_string(static_cast<int>(y)));
    }

    Log& log_;
};

ScriptedDriver Script(const std::vector<std::pair<std::string, std::string>>& options)
{
    ScriptedDriver driver;
    for (const auto& [option, argument] : options) {
        driver.Add(ParseScriptStep(option, argument));
    }
    return driver;
}

TEST(ScriptedDriver, RunsTheStepsThenConfirmsWithTheDefaultButton)
{
    Log log;
    ScriptedDriver driver = Script({{"--click", "OptionButton2"},
                                    {"--type", "marktxt=@水印"},
                                    {"--set", "ScrollBar1=200"},
                                    {"--set", "MultiPage1=1"},
                                    {"--drag", "Imgmove=-12.5,30"}});
    frm_Script form(driver, log);
    form.Show();
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(log, (Log{"OptionButton2_MouseUp 0", "OptionButton2_Change", "Imgmove_MouseDown 1 0,0",
                        "Imgmove_MouseMove 1 -12,30", "Imgmove_MouseUp 1 -12,30", "Cmd_OK_Click 1 @水印 200 1",
                        "Terminate"}));
    EXPECT_EQ(driver.PendingSteps(), 0u);
}

TEST(ScriptedDriver, TimePassesBetweenStepsAndKeysGoToTheDesktop)
{
    Log log;
    ScriptedDriver driver = Script({{"--key", "a"}, {"--click", "Cmd_Cancel"}});
    driver.SetTick([&] { log.push_back("tick"); });
    driver.SetKeyHandler([&](const std::string& key) { log.push_back("key " + key); });
    frm_Script form(driver, log);
    form.Show(false);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(log, (Log{"tick", "key a", "tick", "Terminate"}));
}

TEST(ScriptedDriver, AKeyWithoutADesktopIsRefused)
{
    Log log;
    ScriptedDriver driver = Script({{"--key", "F5"}});
    frm_Script form(driver, log);
    EXPECT_THROW(form.Show(), std::invalid_argument);
}

TEST(ScriptedDriver, ClickingASelectedOptionReachesOnlyItsMouseUp)
{
    Log log;
    ScriptedDriver driver = Script({{"--set", "OptionButton2=true"}, {"--click", "OptionButton2"}});
    frm_Script form(driver, log);
    form.Show();
    EXPECT_EQ(log[0], "OptionButton2_Change");
    EXPECT_EQ(log[1], "OptionButton2_MouseUp 1");
    EXPECT_EQ(log[2], "Cmd_OK_Click 1  0 0");
}

TEST(ScriptedDriver, ADialogThatStaysOpenAfterOkIsClosed)
{
    Log log;
    ScriptedDriver driver;
    frm_Script form(driver, log);
    form.closeOnOk = false;
    form.Show();
    EXPECT_EQ(log, (Log{"Cmd_OK_Click 0  0 0", "Terminate"}));
    EXPECT_FALSE(form.IsLoaded());
}

TEST(ScriptedDriver, CancelInTheScriptMeansNoConfirmation)
{
    Log log;
    ScriptedDriver driver = Script({{"--click", "Cmd_Cancel"}});
    frm_Script form(driver, log);
    form.Show();
    EXPECT_EQ(log, Log{"Terminate"});
}

TEST(ScriptedDriver, ModelessFormsAreClosedWithoutConfirmation)
{
    Log log;
    ScriptedDriver driver = Script({{"--set", "CheckBox1=1"}});
    frm_Script form(driver, log);
    form.Show(false);
    EXPECT_TRUE(form.CheckBox1.Value());
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(log, Log{"Terminate"});
}

TEST(ScriptedDriver, StepsLeftWhenAFormClosesGoToTheNextForm)
{
    Log firstLog;
    Log secondLog;
    ScriptedDriver driver = Script({{"--click", "Cmd_OK"}, {"--set", "ScrollBar1=9"}});
    frm_Script first(driver, firstLog);
    first.Show();
    EXPECT_EQ(driver.PendingSteps(), 1u);
    frm_Script second(driver, secondLog);
    second.Show();
    EXPECT_EQ(secondLog.front(), "Cmd_OK_Click 0  9 0");
}

TEST(ScriptedDriver, ImpossibleStepsAreBadUsage)
{
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"--click", "NoSuchControl"},   {"--set", "CheckBox1=maybe"},  {"--set", "ScrollBar1=256"},
        {"--set", "ScrollBar1=1.5"},    {"--set", "SpinButton1=x"},    {"--set", "MultiPage1=2"},
        {"--set", "marktxt=123456789"}, {"--set", "Cmd_OK=1"},         {"--type", "CheckBox1=abc"},
        {"--click", "Cmd_Color"},       {"--set", "ComboBox1=x"},      {"--set", "TextBox2=x"},
    };
    for (const auto& [option, argument] : bad) {
        Log log;
        ScriptedDriver driver = Script({{option, argument}});
        frm_Script form(driver, log);
        form.ComboBox1.SetStyle(ComboStyle::DropDownList);
        form.Add<TextBox>("TextBox2").SetLocked(true);
        EXPECT_THROW(form.Show(), std::invalid_argument) << option << " " << argument;
    }
}

TEST(ScriptStep, ParsesTheCommandLineForms)
{
    const ScriptStep set = ParseScriptStep("--set", "TextBox1=a=b");
    EXPECT_EQ(set.kind, ScriptStep::Kind::Set);
    EXPECT_EQ(set.control, "TextBox1");
    EXPECT_EQ(set.text, "a=b");
    const ScriptStep drag = ParseScriptStep("--drag", "Imgright=4.5,-3");
    EXPECT_FLOAT_EQ(drag.dx, 4.5f);
    EXPECT_FLOAT_EQ(drag.dy, -3.0f);
    EXPECT_EQ(ParseScriptStep("--click", "Cmd_OK").control, "Cmd_OK");
    EXPECT_EQ(ParseScriptStep("--type", "TextBox1=").text, "");
    EXPECT_EQ(ScriptOption("--slide"), std::nullopt);

    for (const auto& [option, argument] : std::vector<std::pair<std::string, std::string>>{
             {"--set", "NoEquals"}, {"--set", "=1"}, {"--click", ""}, {"--drag", "Img=1"}, {"--drag", "Img=a,b"},
             {"--drag", "Img=1,2,3"}, {"--press", "X"}}) {
        EXPECT_THROW(ParseScriptStep(option, argument), std::invalid_argument) << option << " " << argument;
    }
}

}  // namespace
}  // namespace velmora::forms
