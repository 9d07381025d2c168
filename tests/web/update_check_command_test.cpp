#include <chrono>
#include <future>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/web/WebCommandFixture.hpp"

namespace velmora::testing {
namespace {

const std::string kUpToDateQuestion =
    "自动更新检查功能检测到您的【PPTVelmora】已是最新版本！\r是否需要继续开启自动更新检查功能？\r"
    "（自动检查功能会轻微影响启动速度，您也可以在菜单中通过手动进行更新检查）";
const std::string kHundredQuestion =
    "程序检测到您已使用此软件已超过100次，并且一直开启了自动更新检查功能！\r"
    "由于自动更新检查功能会轻微影响加载速度，建议您关闭此功能，改用手动操作。\r\r是否需要关闭自动更新检查功能？";

std::string NewVersionAtStart(const std::string& version)
{
    return "【PPTVelmora】已有更新的版本发布！\r最新版本为: " + version +
           " ，请到【检查更新】中下载最新版本!\r\r下次是否继续显示此信息？";
}

std::string NewVersionOnDemand(const std::string& version)
{
    return "【PPTVelmora】已有更新的版本发布！\r最新版本为: " + version +
           " ，请到【在线帮助】中下载最新版本!\r\r是否直接连接到程序新版本的下载页面？";
}

const ProductRecord kOurs20{"Velmora", "2.0", "http://mirror.example/velmora-2.0", "", ""};
const ProductRecord kOurs21{"Velmora", "2.1", "http://mirror.example/velmora-2.1.zip", "", ""};

using UpdateCheckTest = WebCommandTest;

TEST_F(UpdateCheckTest, FirstStartUpToDateAsksOnceThenNeverAgain)
{
    ServeDescriptor({kOurs20});
    ProcessResult outcome = Velmora({"startup"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, Shown(kUpToDateQuestion) + "\n");
    EXPECT_EQ(Setting("usetime"), "1");
    EXPECT_EQ(Setting("updateflag"), "(none)") << "Yes keeps the check on without writing it";

    outcome = Velmora({"startup"});
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(Setting("usetime"), "2");
    EXPECT_EQ(server_.Requests().size(), 2u);
    EXPECT_EQ(server_.Requests()[0].contentType, "text/xml;charset=UTF-8");
}

TEST_F(UpdateCheckTest, AnsweringNoSwitchesTheCheckOffAndStartsOnlyCount)
{
    ServeDescriptor({kOurs20});
    EXPECT_EQ(Velmora({"startup", "--startup-answer", "no"}).status, 0);
    EXPECT_EQ(Setting("updateflag"), "No");

    const ProcessResult outcome = Velmora({"startup"});
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(Setting("usetime"), "2");
    EXPECT_EQ(server_.Requests().size(), 1u) << "no check once switched off";
}

TEST_F(UpdateCheckTest, NewerVersionAsksAtEveryStartUntilNo)
{
    ServeDescriptor({kOurs21});
    for (int start = 1; start <= 2; ++start) {
        const ProcessResult outcome = Velmora({"startup", "--json"});
        EXPECT_NE(outcome.out.find(R"("answer":"yes","scripted":false)"), std::string::npos) << outcome.out;
        EXPECT_EQ(Setting("updateflag"), "(none)");
    }
    ProcessResult outcome = Velmora({"startup", "--startup-answer", "no"});
    EXPECT_EQ(outcome.out, Shown(NewVersionAtStart("V2.1")) + "\n");
    EXPECT_EQ(Setting("updateflag"), "No");
    outcome = Velmora({"startup"});
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(Setting("usetime"), "4");
}

TEST_F(UpdateCheckTest, OlderVersionAndOurRecordAnywhereCountAsNew)
{
    ServeDescriptor({{"PPTOther", "3.0", "http://o/1", "", ""}, {"Velmora2", "9.9", "http://o/2", "", ""},
                     {"Velmora", "1.9", "http://o/3", "", ""}});
    EXPECT_EQ(Velmora({"startup"}).out, Shown(NewVersionAtStart("V1.9")) + "\n");
}

TEST_F(UpdateCheckTest, FailedChecksAreSilentAtStartAndStillCount)
{
    server_.Serve("/ppt/VelmoraXML.xml", 200, Descriptor({{"PPTOther", "3.0", "", "", ""}}));
    EXPECT_EQ(Velmora({"startup"}).out, "") << "our record missing";
    server_.Serve("/ppt/VelmoraXML.xml", 200, "<html><body>maintenance</body>");
    EXPECT_EQ(Velmora({"startup"}).out, "") << "not XML";
    server_.Serve("/ppt/VelmoraXML.xml", 403, Descriptor({kOurs21}));
    EXPECT_EQ(Velmora({"startup"}).out, "") << "403";
    server_.Serve("/ppt/VelmoraXML.xml", 500, Descriptor({kOurs21}));
    EXPECT_EQ(Velmora({"startup"}).out, "") << "500";
    EXPECT_EQ(Setting("usetime"), "4");
    EXPECT_EQ(Setting("updateflag"), "(none)");
}

TEST_F(UpdateCheckTest, ServerThatNeverAnswersEndsTheStartWithinItsLimit)
{
    SilentServer silent;
    const auto start = std::chrono::steady_clock::now();
    const ProcessResult outcome = Velmora({"startup"}, {{"VELMORA_UPDATE_SERVER", silent.Base()}});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(Setting("usetime"), "1");
    // Four seconds of polls; the bound only catches a start that hangs.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
}

// Starts that overlap each count: ten at once with the check off, and two a
// moment apart while the update server keeps both waiting.
TEST_F(UpdateCheckTest, OverlappingStartsAllCount)
{
    SaveSetting("updateflag", "No");
    std::vector<std::future<ProcessResult>> starts;
    for (int i = 0; i < 10; ++i) {
        starts.push_back(std::async(std::launch::async, [this] { return Velmora({"startup"}); }));
    }
    for (auto& start : starts) {
        EXPECT_EQ(start.get().status, 0);
    }
    EXPECT_EQ(Setting("usetime"), "10");

    SaveSetting("updateflag", "Yes");
    SilentServer silent;
    const std::map<std::string, std::string> slow{{"VELMORA_UPDATE_SERVER", silent.Base()}};
    auto first = std::async(std::launch::async, [&] { return Velmora({"startup"}, slow); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    auto second = std::async(std::launch::async, [&] { return Velmora({"startup"}, slow); });
    EXPECT_EQ(first.get().status, 0);
    EXPECT_EQ(second.get().status, 0);
    EXPECT_EQ(Setting("usetime"), "12");
}

TEST_F(UpdateCheckTest, HundredStartsAskToSwitchOffUntilYes)
{
    ServeDescriptor({kOurs20});
    SaveSetting("usetime", "101");
    ProcessResult outcome = Velmora({"startup"});
    EXPECT_EQ(outcome.out, Shown(kHundredQuestion) + "\n");
    EXPECT_EQ(Setting("updateflag"), "(none)") << "unanswered, the check stays on";
    outcome = Velmora({"startup", "--startup-answer", "no"});
    EXPECT_EQ(outcome.out, Shown(kHundredQuestion) + "\n");
    EXPECT_EQ(Setting("updateflag"), "(none)");
    Velmora({"startup", "--startup-answer", "yes"});
    EXPECT_EQ(Setting("updateflag"), "No");
    EXPECT_EQ(Setting("usetime"), "104");
}

TEST_F(UpdateCheckTest, NewVersionAndHundredStartsAskBothInOrder)
{
    ServeDescriptor({kOurs21});
    SaveSetting("usetime", "150");
    const ProcessResult outcome = Velmora({"startup", "--startup-answer", "yes", "--startup-answer", "no"});
    EXPECT_EQ(outcome.out, Shown(NewVersionAtStart("V2.1")) + "\n" + Shown(kHundredQuestion) + "\n");
    EXPECT_EQ(Setting("updateflag"), "(none)");
}

TEST_F(UpdateCheckTest, SwitchedOffStartOnlyCounts)
{
    ServeDescriptor({kOurs21});
    SaveSetting("updateflag", "No");
    SaveSetting("usetime", "500");
    EXPECT_EQ(Velmora({"startup"}).out, "");
    EXPECT_EQ(Setting("usetime"), "501");
    EXPECT_TRUE(server_.Requests().empty());
}

// Only the exact text "Yes" keeps the check on.
TEST_F(UpdateCheckTest, AnyFlagButYesIsOff)
{
    ServeDescriptor({kOurs21});
    SaveSetting("updateflag", "yes");
    EXPECT_EQ(Velmora({"startup"}).out, "");
    EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(UpdateCheckTest, CounterThatIsNotANumberStartsAgainFromZero)
{
    ServeDescriptor({kOurs20});
    for (const char* stored : {"abc", "12x", "-3", "99999999999999999999999"}) {
        SaveSetting("usetime", stored);
        EXPECT_EQ(Velmora({"startup"}).out, Shown(kUpToDateQuestion) + "\n") << stored << ": the very first start";
        EXPECT_EQ(Setting("usetime"), "1") << stored;
    }
}

TEST_F(UpdateCheckTest, RunWithoutStartupNeitherCountsNorChecks)
{
    ServeDescriptor({kOurs21});
    const ProcessResult outcome = Run("About_Click");
    EXPECT_EQ(Setting("usetime"), "(none)");
    EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(UpdateCheckTest, StartupAnswersAreKeptApartFromTheCommandsAnswers)
{
    ServeDescriptor({kOurs21});
    const ProcessResult outcome =
        Run("CheckUpdate_Click", {"--startup", "--startup-answer", "no", "--answer", "yes"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(Setting("updateflag"), "No");
    EXPECT_EQ(Setting("usetime"), "1");
    EXPECT_EQ(Opened(outcome), R"(["http://mirror.example/velmora-2.1.zip"])");
    const std::size_t atStart = outcome.out.find("请到【检查更新】中下载最新版本");
    const std::size_t onDemand = outcome.out.find("请到【在线帮助】中下载最新版本");
    EXPECT_LT(atStart, onDemand) << outcome.out;
}

TEST_F(UpdateCheckTest, OnDemandNewVersionOpensTheDownloadPageOnYes)
{
    ServeDescriptor({kOurs21});
    ProcessResult outcome = Velmora({"run", "CheckUpdate_Click", deck_.string(), "--answer", "no"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, Shown(NewVersionOnDemand("V2.1")) + "\n");
    EXPECT_EQ(Opened(Run("CheckUpdate_Click", {"--answer", "no"})), "[]");
    EXPECT_EQ(Opened(Run("CheckUpdate_Click", {"--answer", "yes"})), R"(["http://mirror.example/velmora-2.1.zip"])");
}

// The descriptor comes from the network: only web pages are opened from it.
TEST_F(UpdateCheckTest, DownloadAddressThatIsNotAWebPageOpensOurOwnPage)
{
    const std::map<std::string, std::string> page{{"VELMORA_PRODUCT_PAGE", "https://product.example/"}};
    for (const char* address : {"file:///etc/passwd", "javascript:alert(1)", "", "mailto:x@example.com"}) {
        ServeDescriptor({{"Velmora", "2.1", address, "", ""}});
        EXPECT_EQ(Opened(Run("CheckUpdate_Click", {"--answer", "yes"}, page)), R"(["https://product.example/"])")
            << address;
    }
}

TEST_F(UpdateCheckTest, OnDemandUpToDateAndFailures)
{
    ServeDescriptor({kOurs20});
    ProcessResult outcome = Velmora({"run", "CheckUpdate_Click", deck_.string()});
    EXPECT_EQ(outcome.out, Shown("您目前已是最新版本！") + "\n");
    EXPECT_NE(Run("CheckUpdate_Click").out.find(R"("style":0)"), std::string::npos);

    server_.Serve("/ppt/VelmoraXML.xml", 500, "");
    outcome = Velmora({"run", "CheckUpdate_Click", deck_.string()});
    EXPECT_EQ(outcome.out, Shown("网络错误！无法连接到指定服务器！") + "\n");
    EXPECT_EQ(outcome.status, 1) << "a critical message";

    server_.Serve("/ppt/VelmoraXML.xml", 200, Descriptor({{"PPTOther", "3.0", "", "", ""}}));
    outcome = Velmora({"run", "CheckUpdate_Click", deck_.string()});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "") << "no record, nothing to say";
}

TEST_F(UpdateCheckTest, StartupTakesOnlyItsOwnOptions)
{
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"startup", "deck.pptx"}, {"startup", "--answer", "yes"},
          {"startup", "--startup-answer", "maybe"}, {"startup", "--startup-answer"}}) {
        const ProcessResult outcome = Velmora(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments[1];
    }
}

}  // namespace
}  // namespace velmora::testing
