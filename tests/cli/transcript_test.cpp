#include <gtest/gtest.h>

#include "cli/Transcript.hpp"

namespace velmora::cli {
namespace {

TEST(TranscriptTest, SortsPromptsIntoMessagesAndAnswers)
{
    RunReport report;
    report.command = "SplitDoc_selection_Main";
    report.file = "/decks/报告.pptx";
    report.prompts = {
        {"question", "删除原文档中的幻灯片？", 4, "VelmoraV2.0 by Orvaldi", "no", true, ""},
        {"input", "印记内容", 0, "VelmoraV2.0 by Orvaldi", "", false, "张三"},
        {"file", "Flash (*.swf)", 0, "选择文件", "/tmp/a.swf", true, ""},
        {"color", "0,0,0", 0, "", "255,0,0", true, ""},
        {"message", "完成\r共 2 页", 64, "VelmoraV2.0 by Orvaldi", "ok", false, ""},
    };
    report.filesWritten = {"/decks/报告-拆分文档.pptx", "/decks/报告.pptx"};
    report.opened = {"http://www.quanjing.com/searchresult.aspx?q=%E5%9B%BE"};
    report.exitStatus = 0;

    EXPECT_EQ(TranscriptJson(report),
              R"j({"command":"SplitDoc_selection_Main","file":"/decks/报告.pptx",)j"
              R"j("messages":[{"prompt":"删除原文档中的幻灯片？","style":4,"title":"VelmoraV2.0 by Orvaldi"},)j"
              R"j({"prompt":"完成\r共 2 页","style":64,"title":"VelmoraV2.0 by Orvaldi"}],)j"
              R"j("answers":{"questions":[{"prompt":"删除原文档中的幻灯片？","answer":"no","scripted":true}],)j"
              R"j("inputs":[{"prompt":"印记内容","answer":null,"scripted":false,"offered":"张三"}],)j"
              R"j("files":[{"prompt":"Flash (*.swf)","answer":"/tmp/a.swf","scripted":true}],)j"
              R"j("colors":[{"prompt":"0,0,0","answer":"255,0,0","scripted":true}]},)j"
              R"j("filesWritten":["/decks/报告-拆分文档.pptx","/decks/报告.pptx"],)j"
              R"j("opened":["http://www.quanjing.com/searchresult.aspx?q=%E5%9B%BE"],"exitStatus":0,"error":null})j");
}

TEST(TranscriptTest, CarriesTheErrorOfAFailedRun)
{
    RunReport report;
    report.command = "About_Click";
    report.exitStatus = 3;
    report.error = "About_Click: this command is not available yet";
    const std::string json = TranscriptJson(report);
    EXPECT_NE(json.find(R"j("messages":[],)j"), std::string::npos) << json;
    EXPECT_NE(json.find(R"j("exitStatus":3,"error":"About_Click: this command is not available yet"})j"),
              std::string::npos)
        << json;
}

}  // namespace
}  // namespace velmora::cli
