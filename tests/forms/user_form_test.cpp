#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "forms/Forms.hpp"

namespace velmora::forms {
namespace {

// Records the forms it is given and what it does with them.
class RecordingDriver : public FormDriver {
public:
    void Run(UserForm& form, bool modal) override
    {
        runs.push_back(form.Name() + (modal ? " modal" : " modeless"));
        if (onRun) {
            onRun(form);
        }
    }

    std::vector<std::string> runs;
    std::function<void(UserForm&)> onRun;
};

// A dialog in the way the tools write theirs: controls and handlers in the
// constructor, state restored in UserForm_Initialize.
class frm_Sample : public UserForm {
public:
    explicit frm_Sample(FormDriver& driver) : UserForm(driver, "frm_Sample")
    {
        CheckBox2.events.Click = [this] { CheckBox5.SetEnabled(CheckBox2.Value()); };
        ComboBox3.events.Change = [this] { log.push_back("ComboBox3_Change " + ComboBox3.Text()); };
        CheckBox5.SetEnabled(false);
    }

    std::vector<std::string> log;
    CheckBox& CheckBox2 = Add<CheckBox>("CheckBox2");
    CheckBox& CheckBox5 = Add<CheckBox>("CheckBox5");
    ComboBox& ComboBox3 = Add<ComboBox>("ComboBox3");

protected:
    void UserForm_Initialize() override
    {
        log.push_back("Initialize");
        CheckBox2.SetValue(true);
        ComboBox3.SetText("16");
    }
    void UserForm_Activate() override { log.push_back("Activate"); }
    void UserForm_Terminate() override { log.push_back("Terminate"); }
};

TEST(UserForm, InitializeRunsOnceAndItsEventsAreDelivered)
{
    RecordingDriver driver;
    frm_Sample form(driver);
    EXPECT_FALSE(form.IsLoaded());
    form.Load();
    form.Load();
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_FALSE(form.Visible());
    EXPECT_TRUE(form.CheckBox5.Enabled());
    EXPECT_EQ(form.log, (std::vector<std::string>{"Initialize", "ComboBox3_Change 16"}));
}

TEST(UserForm, ShowLoadsActivatesAndHandsTheFormToTheDriver)
{
    RecordingDriver driver;
    frm_Sample form(driver);
    bool visibleDuringRun = false;
    driver.onRun = [&](UserForm& shown) {
        visibleDuringRun = shown.Visible();
        shown.Hide();
    };
    form.Show();
    EXPECT_TRUE(visibleDuringRun);
    EXPECT_FALSE(form.Visible());
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_EQ(driver.runs, std::vector<std::string>{"frm_Sample modal"});
    EXPECT_EQ(form.log, (std::vector<std::string>{"Initialize", "ComboBox3_Change 16", "Activate"}));

    form.Show(false);  // shown again after Hide: no second Initialize
    EXPECT_EQ(driver.runs.back(), "frm_Sample modeless");
    EXPECT_EQ(form.log.back(), "Activate");
}

TEST(UserForm, UnloadTerminatesOnceAndForGood)
{
    RecordingDriver driver;
    frm_Sample form(driver);
    form.Show(false);
    form.Unload();
    form.Unload();
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(std::count(form.log.begin(), form.log.end(), "Terminate"), 1);
    EXPECT_THROW(form.Show(), std::logic_error);
}

TEST(UserForm, ControlsAreFoundByNameWithoutRegardToCase)
{
    RecordingDriver driver;
    frm_Sample form(driver);
    EXPECT_EQ(&form.Controls("checkbox2"), &form.CheckBox2);
    EXPECT_EQ(&form.Controls<ComboBox>("COMBOBOX3"), &form.ComboBox3);
    EXPECT_EQ(form.FindControl("Label1"), nullptr);
    EXPECT_THROW(form.Controls("Label1"), UnknownControl);
    EXPECT_THROW(form.Controls<TextBox>("ComboBox3"), UnknownControl);
    EXPECT_THROW(form.Add<Label>("checkBOX2"), std::invalid_argument);
    EXPECT_EQ(form.Controls().size(), 3u);
}

TEST(UserForm, FocusMovesWithEnterAndExit)
{
    RecordingDriver driver;
    frm_Sample form(driver);
    std::vector<std::string> log;
    form.CheckBox2.events.Enter = [&] { log.push_back("enter 2"); };
    form.CheckBox2.events.Exit = [&] { log.push_back("exit 2"); };
    form.CheckBox5.events.Enter = [&] { log.push_back("enter 5"); };
    form.CheckBox2.SetFocus();
    form.CheckBox2.SetFocus();
    form.CheckBox5.SetFocus();
    EXPECT_EQ(form.ActiveControl(), &form.CheckBox5);
    EXPECT_EQ(log, (std::vector<std::string>{"enter 2", "exit 2", "enter 5"}));
}

}  // namespace
}  // namespace velmora::forms
