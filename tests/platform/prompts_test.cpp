#include <sstream>

#include <gtest/gtest.h>

#include "platform/PromptText.hpp"
#include "platform/ScriptedPrompts.hpp"
#include "platform/TerminalPrompts.hpp"

namespace velmora::platform {
namespace {

using host::MsgAnswer::No;
using host::MsgAnswer::Ok;
using host::MsgAnswer::Yes;

TEST(ScriptedPrompts, QuestionsTakeQueuedAnswersThenYes)
{
    std::ostringstream out;
    ScriptedPrompts prompts(out);
    prompts.AddAnswer(false);
    prompts.AddAnswer(true);
    EXPECT_EQ(prompts.MsgBox("first?", 4), No);
    EXPECT_EQ(prompts.MsgBox("done", 64), Ok);  // a message uses no answer
    EXPECT_EQ(prompts.MsgBox("second?", 4), Yes);
    EXPECT_EQ(prompts.MsgBox("third?", 4), Yes);

    const auto& log = prompts.Transcript();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].kind, "question");
    EXPECT_EQ(log[0].answer, "no");
    EXPECT_TRUE(log[0].scripted);
    EXPECT_EQ(log[1].kind, "message");
    EXPECT_EQ(log[1].style, 64);
    EXPECT_EQ(log[1].title, host::kTitle);
    EXPECT_EQ(log[3].answer, "yes");
    EXPECT_FALSE(log[3].scripted);
}

// Unasked questions use the queue too; without an answer left they take the
// answer that keeps the settings, not the default button.
TEST(ScriptedPrompts, UnaskedQuestionsFallBackToTheirUnattendedAnswer)
{
    std::ostringstream out;
    ScriptedPrompts prompts(out);
    prompts.AddAnswer(true);
    EXPECT_EQ(prompts.UnaskedQuestion("queued?", 4, host::kTitle, No), Yes);
    EXPECT_EQ(prompts.UnaskedQuestion("keep off?", 4, host::kTitle, No), No);
    EXPECT_EQ(prompts.UnaskedQuestion("keep on?", 4, host::kTitle, Yes), Yes);
    const auto& log = prompts.Transcript();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_TRUE(log[0].scripted);
    EXPECT_EQ(log[1].answer, "no");
    EXPECT_FALSE(log[1].scripted);
    EXPECT_EQ(log[2].kind, "question");
    EXPECT_NE(out.str().find("keep off?"), std::string::npos);
}

TEST(ScriptedPrompts, MessagesPrintWithTitleAndLineBreaks)
{
    std::ostringstream out;
    ScriptedPrompts prompts(out);
    prompts.MsgBox("幻灯片已成功导出为图片！\r保存在 [a-导出图片] 目录中", 64);
    prompts.MsgBox("one\r\ntwo", 16, "T");
    EXPECT_EQ(out.str(), std::string("[") + host::kTitle + "] 幻灯片已成功导出为图片！\n保存在 [a-导出图片] 目录中\n[T] one\ntwo\n");
}

TEST(ScriptedPrompts, RunningOutOfAnswersCancels)
{
    std::ostringstream out;
    ScriptedPrompts prompts(out);
    prompts.AddInput("水印");
    prompts.AddFile("/tmp/a.swf");
    prompts.AddColor(255 + 128 * 256);
    std::array<host::Color, 16> custom{};

    EXPECT_EQ(prompts.InputBox("text?", "T", "@Quenlar"), "水印");
    EXPECT_EQ(prompts.InputBox("text?", "T", "@Quenlar"), "");
    EXPECT_EQ(prompts.PickFile("pick", {{"swf files", "*.swf"}}), "/tmp/a.swf");
    EXPECT_EQ(prompts.PickFile("pick", {}), std::nullopt);
    EXPECT_EQ(prompts.ChooseColor(0, custom), 255 + 128 * 256);
    EXPECT_EQ(prompts.ChooseColor(0, custom), std::nullopt);

    const auto& log = prompts.Transcript();
    ASSERT_EQ(log.size(), 6u);
    EXPECT_EQ(log[1].kind, "input");
    EXPECT_FALSE(log[1].scripted);
    EXPECT_EQ(log[2].prompt, "swf files (*.swf)");
    EXPECT_EQ(log[4].answer, "255,128,0");
    EXPECT_EQ(log[5].answer, "");
    EXPECT_TRUE(out.str().empty());
}

TEST(TerminalPrompts, ReadsAnswersFromTheTerminal)
{
    std::istringstream in("n\n\nanswer\n\n#0080FF\n");
    std::ostringstream out;
    TerminalPrompts prompts(in, out);
    EXPECT_EQ(prompts.MsgBox("sure?", 4, "T"), No);
    EXPECT_EQ(prompts.MsgBox("really?", 4, "T"), Yes);
    EXPECT_EQ(prompts.InputBox("text?", "T", "default"), "answer");
    EXPECT_EQ(prompts.InputBox("text?", "T", "default"), "default");
    std::array<host::Color, 16> custom{};
    EXPECT_EQ(prompts.ChooseColor(0, custom), 0 + 128 * 256 + 255 * 65536);
    EXPECT_NE(out.str().find("[T] sure?\n"), std::string::npos);
}

TEST(TerminalPrompts, EndOfInputCancelsAndAsksYes)
{
    std::istringstream in("not a colour\n");
    std::ostringstream out;
    TerminalPrompts prompts(in, out);
    std::array<host::Color, 16> custom{};
    EXPECT_EQ(prompts.ChooseColor(0, custom), std::nullopt);
    EXPECT_NE(out.str().find("not a colour"), std::string::npos);
    EXPECT_EQ(prompts.MsgBox("sure?", 4), Yes);
    EXPECT_EQ(prompts.InputBox("text?", "T", "default"), "");
    EXPECT_EQ(prompts.PickFile("pick", {}), std::nullopt);
}

TEST(PromptText, ParsesColourAnswers)
{
    EXPECT_EQ(ParseColor("255,128,0"), 255 + 128 * 256);
    EXPECT_EQ(ParseColor(" 1, 2 ,3 "), 1 + 2 * 256 + 3 * 65536);
    EXPECT_EQ(ParseColor("#FF8000"), 255 + 128 * 256);
    EXPECT_EQ(ParseColor("#ff8000"), 255 + 128 * 256);
    for (const char* bad : {"", "256,0,0", "-1,0,0", "1,2", "1,2,3,4", "a,b,c", "#FF80", "#GG0000", "#-10000"}) {
        EXPECT_EQ(ParseColor(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(FormatColor(16777215), "255,255,255");
}

}  // namespace
}  // namespace velmora::platform
