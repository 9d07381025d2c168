#include <memory>
#include <sstream>

#include <gtest/gtest.h>

#include "addin/Connect.hpp"
#include "host/Host.hpp"
#include "platform/CurlHttpClient.hpp"
#include "platform/FileSettingsStore.hpp"
#include "platform/ScriptedPrompts.hpp"
#include "pptx/DocumentHost.hpp"
#include "tests/support/HttpServer.hpp"
#include "tests/support/TempDir.hpp"
#include "tests/web/WebCommandFixture.hpp"

namespace velmora::addin {
namespace {

class RecordingShell : public host::Shell {
public:
    std::vector<std::string> opened;
    void OpenAddress(const std::string& address) override { opened.push_back(address); }
    void ShowFolder(const std::filesystem::path&) override {}
};

// One loaded add-in across start-up and later commands, as in the desktop host.
class SystemTest : public ::testing::Test {
protected:
    SystemTest()
    {
        setenv("VELMORA_UPDATE_SERVER", server_.Base().c_str(), 1);
        context_.services = {settings_, prompts_, shell_, nullptr, nullptr, nullptr,
                             std::make_shared<platform::CurlHttpClient>()};
        context_.runStartUp = true;
        application_ = pptx::CreateDocumentHost(context_.services);
        application_->Presentations()->Add(true);
    }
    ~SystemTest() override { unsetenv("VELMORA_UPDATE_SERVER"); }

    std::vector<std::string> Prompts() const
    {
        std::vector<std::string> shown;
        for (const auto& record : prompts_->Transcript()) {
            shown.push_back(record.prompt.substr(0, record.prompt.find('\r')));
        }
        return shown;
    }

    testing::TempDir dir_;
    testing::HttpServer server_;
    std::ostringstream out_;
    std::shared_ptr<platform::FileSettingsStore> settings_ =
        std::make_shared<platform::FileSettingsStore>(dir_ / "settings.ini");
    std::shared_ptr<platform::ScriptedPrompts> prompts_ = std::make_shared<platform::ScriptedPrompts>(out_);
    std::shared_ptr<RecordingShell> shell_ = std::make_shared<RecordingShell>();
    AddinContext context_;
    std::shared_ptr<host::Application> application_;
    Connect connect_{context_};
};

TEST_F(SystemTest, FailedCheckOnDemandStillReportsWhatTheStartFound)
{
    server_.Serve("/ppt/VelmoraXML.xml", 200,
                  testing::Descriptor({{"Velmora", "2.1", "https://dl.example/v21", "", ""}}));
    prompts_->AddAnswer(true);
    connect_.OnConnection(application_);
    server_.Serve("/ppt/VelmoraXML.xml", 503, "");
    prompts_->AddAnswer(true);
    connect_.CheckUpdate_Click({"CheckUpdate"});

    EXPECT_EQ(Prompts(), (std::vector<std::string>{"【PPTVelmora】已有更新的版本发布！", "网络错误！无法连接到指定服务器！",
                                                   "【PPTVelmora】已有更新的版本发布！"}));
    EXPECT_EQ(shell_->opened, std::vector<std::string>{"https://dl.example/v21"});
}

TEST_F(SystemTest, UnreachableAtStartAndOnDemandShowsOnlyTheNetworkMessage)
{
    server_.Serve("/ppt/VelmoraXML.xml", 404, "");
    connect_.OnConnection(application_);
    connect_.CheckUpdate_Click({"CheckUpdate"});
    EXPECT_EQ(Prompts(), std::vector<std::string>{"网络错误！无法连接到指定服务器！"});
    EXPECT_EQ(prompts_->Transcript()[0].style, host::MsgStyle::Critical);
    EXPECT_TRUE(shell_->opened.empty());
    EXPECT_EQ(settings_->GetSetting(host::kAppName, "Settings", "usetime"), "1");
}

TEST_F(SystemTest, ShareUrlKeepsItsArgumentsWhenTheDescriptorFails)
{
    connect_.OnConnection(application_);
    std::string picture = "http://kept/pic.png";
    std::string page = "http://kept/";
    server_.Serve("/ppt/VelmoraXML.xml", 500, "");
    connect_.GetShareUrl(picture, page);
    EXPECT_EQ(picture, "http://kept/pic.png");
    EXPECT_EQ(page, "http://kept/");

    server_.Serve("/ppt/VelmoraXML.xml", 200,
                  testing::Descriptor({{"Velmora", "2.0", "", "https://cdn.example/p.png", ""}}));
    connect_.GetShareUrl(picture, page);
    EXPECT_EQ(picture, "https://cdn.example/p.png");
    EXPECT_EQ(page, "http://velmora.orvaldi.net/") << "an empty field gives our own page";
}

}  // namespace
}  // namespace velmora::addin
