#include <cstdlib>

#include <gtest/gtest.h>

#include "StudioFixture.hpp"
#include "host/SettingsStore.hpp"
#include "platform/FileSettingsStore.hpp"
#include "tests/support/HttpServer.hpp"

// The studio reaches the network through the same services as the command
// line: the start-up routine, the update check and the translated searches
// against a server on 127.0.0.1.
namespace velmora::studio {
namespace {

constexpr const char* kDescriptor =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Data><AppData><AppName>Velmora</AppName><Version>2.1</Version>"
    "<DownloadUrl>http://example.org/get</DownloadUrl><Piclink>http://example.org/p.png</Piclink>"
    "<ShareUrl>http://example.org/</ShareUrl></AppData></Data>\n";

class StudioWebTest : public StudioFixture {
protected:
    StudioWebTest()
    {
        server_.Serve("/ppt/VelmoraXML.xml", 200, kDescriptor);
        setenv("VELMORA_UPDATE_SERVER", server_.Base().c_str(), 1);
        setenv("VELMORA_TRANSLATE_SERVER", server_.Base().c_str(), 1);
        options_.startUp = true;
    }
    ~StudioWebTest() override
    {
        unsetenv("VELMORA_UPDATE_SERVER");
        unsetenv("VELMORA_TRANSLATE_SERVER");
    }

    bool Said(const std::string& text) const
    {
        for (const platform::PromptRecord& record : Prompts()) {
            if (record.prompt.find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    testing::HttpServer server_;
};

TEST_F(StudioWebTest, EveryStartIsCountedAndAsksAboutTheNewerVersion)
{
    EXPECT_TRUE(Said("最新版本为: V2.1")) << out_.str();
    const platform::FileSettingsStore stored(dir_ / "settings.ini");
    EXPECT_EQ(stored.GetSetting(host::kAppName, "Settings", "usetime"), "1");
}

TEST_F(StudioWebTest, UpdateCheckAndTranslatedSearchReachTheirServers)
{
    const std::size_t asked = Prompts().size();
    window_->Press("CheckUpdate_Click", {});
    ASSERT_GT(Prompts().size(), asked);
    EXPECT_NE(Prompts().back().prompt.find("V2.1"), std::string::npos) << Prompts().back().prompt;

    server_.Serve("/v2/Http.svc/Translate", 200,
                  "<string xmlns=\"http://schemas.microsoft.com/2003/10/Serialization/\">blue sky</string>");
    prompts_->AddInput("蓝天");
    shell_->opened.clear();
    window_->Press("SearchUrl4_Click", {});
    EXPECT_EQ(shell_->opened, std::vector<std::string>{"http://www.flickr.com/search/?q=blue+sky"}) << out_.str();
}

}  // namespace
}  // namespace velmora::studio
