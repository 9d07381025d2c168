#include <string>

#include <gtest/gtest.h>

#include "tests/web/WebCommandFixture.hpp"
#include "web/md_SearchPic.hpp"

namespace velmora::testing {
namespace {

constexpr const char* kTranslatePath = "/v2/Http.svc/Translate";

class SearchPicTest : public WebCommandTest {
protected:
    std::string OpenedFor(int site, const std::string& keywords)
    {
        const ProcessResult outcome = Run("SearchUrl" + std::to_string(site) + "_Click", {"--input", keywords});
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        return Opened(outcome);
    }
};

TEST_F(SearchPicTest, SitesWithoutTranslationUseTheKeywordsAsTheirFormSays)
{
    EXPECT_EQ(OpenedFor(1, "风景 照片"),
              R"(["http://www.quanjing.com/searchresult.aspx?q=%E9%A3%8E%E6%99%AF %E7%85%A7%E7%89%87||1|60|1|2||||&CEFlag=1"])");
    EXPECT_EQ(OpenedFor(2, "风景 照片"), R"(["http://www.nipic.com/act/search.asp?kw=风景+照片"])");
    EXPECT_EQ(OpenedFor(2, "a  b "), R"(["http://www.nipic.com/act/search.asp?kw=a++b+"])") << "not trimmed";
    EXPECT_EQ(OpenedFor(3, "风景 照片"), R"(["http://www.gettyimages.cn/newsr.php?thekeyword=风景 照片&ifphoto=1"])");
    EXPECT_EQ(OpenedFor(6, "图标"), R"(["http://www.iconpng.com/search/tag=图标"])");
    EXPECT_TRUE(server_.Requests().empty()) << "no translation asked";
}

TEST_F(SearchPicTest, TranslatedSitesAskTheServiceAndJoinWordsTheirWay)
{
    server_.Serve(kTranslatePath, 200,
                  "<string xmlns=\"http://schemas.microsoft.com/2003/10/Serialization/\">blue sky</string>");
    EXPECT_EQ(OpenedFor(4, "蓝 天"), R"(["http://www.flickr.com/search/?q=blue+sky"])");
    EXPECT_EQ(OpenedFor(5, "蓝天"), R"(["http://www.istockphoto.com/search/text/blue+sky"])");
    EXPECT_EQ(OpenedFor(7, "蓝天"), R"(["http://findicons.com/search/blue-sky"])");
    EXPECT_EQ(OpenedFor(8, "蓝天"), R"(["http://www.mricons.com/show/blue-sky-icons"])");
    EXPECT_EQ(OpenedFor(9, "蓝天"), R"(["http://iconlet.com/search?n=blue-sky"])");

    const auto requests = server_.Requests();
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(requests[0].target, std::string(kTranslatePath) + "?appId=" + web::kTranslatorAppId +
                                      "&from=zh-CHS&text=蓝 天&to=en")
        << "the service reads the keywords back, encoded once, neither raw nor twice";
    EXPECT_EQ(requests[0].contentType, "text/xml;charset=UTF-8");
}

TEST_F(SearchPicTest, FailedTranslationSearchesForNothing)
{
    server_.Serve(kTranslatePath, 403, "<string>forbidden</string>");
    EXPECT_EQ(OpenedFor(4, "蓝天"), R"(["http://www.flickr.com/search/?q="])");
    server_.Serve(kTranslatePath, 200, "<html>not a translation</html>");
    EXPECT_EQ(OpenedFor(8, "蓝天"), R"(["http://www.mricons.com/show/-icons"])");
}

TEST_F(SearchPicTest, UnreachableTranslationServiceFailsTheCommand)
{
    std::string closed;
    {
        SilentServer gone;
        closed = gone.Base();
    }
    const ProcessResult outcome =
        Run("SearchUrl7_Click", {"--input", "蓝天"}, {{"VELMORA_TRANSLATE_SERVER", closed}});
    EXPECT_EQ(outcome.status, 3);
    EXPECT_EQ(Opened(outcome), "[]");
}

TEST_F(SearchPicTest, PromptsAndCancel)
{
    for (int site = 1; site <= 9; ++site) {
        const ProcessResult outcome = Run("SearchUrl" + std::to_string(site) + "_Click");
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(Opened(outcome), "[]") << "cancel opens nothing";
        const std::string prompt = site <= 5 ? R"j("prompt":"请输入搜索关键词：\r(多个关键词之间请用空格间隔)")j"
                                             : R"("prompt":"请输入搜索关键词：","answer")";
        EXPECT_NE(outcome.out.find(prompt), std::string::npos) << site << outcome.out;
    }
    EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(SearchPicTest, SiteAddressesFollowTheSettingsFile)
{
    settings_.SaveSetting(host::kAppName, "Endpoints", "SearchSite2", "https://mirror.example");
    EXPECT_EQ(OpenedFor(2, "花"), R"(["https://mirror.example/act/search.asp?kw=花"])");
    const ProcessResult outcome =
        Run("SearchUrl2_Click", {"--input", "花"}, {{"VELMORA_SEARCH_SITE2", "https://env.example"}});
    EXPECT_EQ(Opened(outcome), R"(["https://env.example/act/search.asp?kw=花"])") << "the environment wins";
}

}  // namespace
}  // namespace velmora::testing
