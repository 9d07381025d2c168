#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "forms/Forms.hpp"
#include "forms/ScriptedDriver.hpp"

namespace velmora::forms {
namespace {

class TextEntryTest : public ::testing::Test {
protected:
    TextEntryTest()
    {
        box.SetMaxLength(3);
        box.events.KeyDown = [this](int& code, int) { log.push_back("down " + std::to_string(code)); };
        box.events.KeyPress = [this](int& key) {
            log.push_back("press " + std::to_string(key));
            // The palette's channel boxes: digits, Backspace and Enter only.
            if (!((key <= 57 || key == 13) && (key >= 48 || key == 8))) {
                key = 0;
            }
        };
        box.events.Change = [this] { log.push_back("change " + box.Text()); };
        box.events.KeyUp = [this](int& code, int) { log.push_back("up " + std::to_string(code)); };
    }

    void Type(const std::u32string& keys)
    {
        for (char32_t key : keys) {
            box.TypeKey(key);
        }
    }

    ScriptedDriver driver;
    UserForm form{driver, "frm_myColor"};
    TextBox& box = form.Add<TextBox>("TextBox1");
    std::vector<std::string> log;
};

TEST_F(TextEntryTest, EachKeyPassesKeyPressThenChangesThenKeyUp)
{
    Type(U"4");
    EXPECT_EQ(log, (std::vector<std::string>{"down 52", "press 52", "change 4", "up 52"}));
}

TEST_F(TextEntryTest, DiscardedKeysChangeNothing)
{
    Type(U"1a-.2 ");
    EXPECT_EQ(box.Text(), "12");
    EXPECT_EQ(std::count(log.begin(), log.end(), "change 12"), 1);
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& entry) { return entry.starts_with("up"); }),
              6);
}

TEST_F(TextEntryTest, MaxLengthStopsTyping)
{
    Type(U"3000");
    EXPECT_EQ(box.Text(), "300");
    box.SetText("12345");  // code is not limited
    EXPECT_EQ(box.Text(), "12345");
}

TEST_F(TextEntryTest, BackspaceDeletesACharacterAndEnterNothing)
{
    box.SetMaxLength(0);
    box.events.KeyPress = nullptr;
    Type(U"中文\b\rA");
    EXPECT_EQ(box.Text(), "中A");
}

TEST_F(TextEntryTest, FocusSelectsAllSoTypingReplaces)
{
    box.SetText("255");
    box.SetFocus();
    Type(U"x");  // discarded: the selection stays
    Type(U"9");
    Type(U"9");
    EXPECT_EQ(box.Text(), "99");
}

TEST_F(TextEntryTest, HandlersMayReplaceTheKey)
{
    box.events.KeyPress = [](int& key) { key = key == 'a' ? 'A' : key; };
    Type(U"ab");
    EXPECT_EQ(box.Text(), "Ab");
}

TEST_F(TextEntryTest, LockedBoxesKeepTheirText)
{
    box.SetText("1");
    box.SetLocked(true);
    Type(U"2");
    EXPECT_EQ(box.Text(), "1");
}

}  // namespace
}  // namespace velmora::forms
