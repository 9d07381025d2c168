#include <string>

#include <gtest/gtest.h>

#include "tests/web/WebCommandFixture.hpp"
#include "web/WebCommands.hpp"
#include "web/md_SearchPic.hpp"

namespace velmora::testing {
namespace {

// The share text as the link carries it.
const std::string kEncodedText = web::URLEncode(web::kShareText);

std::string ShareLink(const std::string& page, const std::string& picture)
{
    return R"([")" + std::string("http://service.weibo.com/share/share.php?url=") + page + "&appkey=&title=" +
           kEncodedText + "&pic=" + picture + "&ralateUid=" + web::kAuthorAccountId + R"("])";
}

using LinksTest = WebCommandTest;

TEST_F(LinksTest, ShareLinkCarriesTheDescriptorsPictureAndPage)
{
    ServeDescriptor({{"Other", "1.0", "", "http://other/pic.png", "http://other/"},
                     {"Velmora", "2.1", "", "http://cdn.example/图.png", "https://velmora.example/share?a=1"}});
    const ProcessResult outcome = Run("SharetoWeibo_Click");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(Opened(outcome), ShareLink("https://velmora.example/share?a=1", "http://cdn.example/%E5%9B%BE.png"));
    EXPECT_EQ(kEncodedText.find("%E6%88%91%E6%AD%A3"), 0u) << kEncodedText;
}

TEST_F(LinksTest, ShareLinkFallsBackToOurOwnPictureAndPage)
{
    const std::map<std::string, std::string> ours{{"VELMORA_SHARE_PICTURE", "http://ours.example/share.png"},
                                                  {"VELMORA_PRODUCT_PAGE", "http://ours.example/"}};
    const std::string fallback = ShareLink("http://ours.example/", "http://ours.example/share.png");
    ServeDescriptor({{"Velmora", "2.1", "", "", ""}});
    EXPECT_EQ(Opened(Run("SharetoWeibo_Click", {}, ours)), fallback) << "empty in our record";
    ServeDescriptor({{"Other", "2.1", "", "http://other/pic.png", "http://other/"}});
    EXPECT_EQ(Opened(Run("SharetoWeibo_Click", {}, ours)), fallback) << "no record of ours";
    ServeDescriptor({{"Velmora", "2.1", "", "javascript:alert(1)", "file:///etc/passwd"}});
    EXPECT_EQ(Opened(Run("SharetoWeibo_Click", {}, ours)), fallback) << "not web addresses";
}

TEST_F(LinksTest, ShareLinkWithoutTheDescriptorLeavesPictureAndPageEmpty)
{
    server_.Serve("/ppt/VelmoraXML.xml", 500, "");
    EXPECT_EQ(Opened(Run("SharetoWeibo_Click")), ShareLink("", ""));
    SilentServer silent;
    EXPECT_EQ(Opened(Run("SharetoWeibo_Click", {}, {{"VELMORA_UPDATE_SERVER", silent.Base()}})), ShareLink("", ""));
}

TEST_F(LinksTest, HelpAndResourcePagesOpenTheirAddresses)
{
    EXPECT_EQ(Opened(Run("OnlineHelp_Click")), R"(["http://velmora.orvaldi.net/"])");
    EXPECT_EQ(Opened(Run("PPTBooks_Click")), R"(["http://velmora.orvaldi.net/resources/"])");
    EXPECT_EQ(Opened(Run("PPTBooks_Click", {}, {{"VELMORA_RESOURCES_PAGE", "https://mirror.example/r"}})),
              R"(["https://mirror.example/r"])");
}

// An address that is no web or mail address is refused by the host, which
// fails the command as any host error does.
TEST_F(LinksTest, RefusedAddressFailsTheCommand)
{
    const ProcessResult outcome =
        Run("OnlineHelp_Click", {}, {{"VELMORA_PRODUCT_PAGE", "file:///etc/passwd"}});
    EXPECT_EQ(outcome.status, 3);
    EXPECT_EQ(Opened(outcome), "[]");
}

TEST_F(LinksTest, AboutBoxHasSevenLinesTheFifthEmpty)
{
    const ProcessResult outcome = Velmora({"run", "About_Click", deck_.string()});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    ASSERT_EQ(outcome.out.rfind("[关于本程序] PPTVelmoraV2.0\n发布日期：2012年04月05日\n作者：", 0), 0u) << outcome.out;
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = outcome.out.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(outcome.out.substr(start, end - start));
    }
    ASSERT_EQ(lines.size(), 7u) << outcome.out;
    EXPECT_EQ(lines[3].rfind("意见反馈：", 0), 0u);
    EXPECT_EQ(lines[4], "");
    EXPECT_FALSE(lines[5].empty());
    EXPECT_FALSE(lines[6].empty());
    EXPECT_NE(Run("About_Click").out.find(R"("style":64,"title":"关于本程序")"), std::string::npos);
}

TEST_F(LinksTest, AuthorDialogLinks)
{
    const std::map<std::string, std::string> mail{{"VELMORA_AUTHOR_MAIL", "author@example.com"}};
    EXPECT_EQ(Opened(Run("Author_Click", {"--click", "Label12"}, mail)),
              R"(["mailto:author@example.com?subject=关于[PPTVelmora%20V2.0]"])");
    EXPECT_EQ(Opened(Run("Author_Click", {"--click", "ImgWeibo", "--click", "Label7", "--click", "Label8"})),
              R"(["http://weibo.com/u/1850620774","http://weibo.com/u/1850620774","http://weibo.com/orvaldi"])");
    const ProcessResult outcome = Run("Author_Click", {"--click", "Label9", "--click", "Label10", "--click",
                                                       "Label11", "--click", "Label13", "--click", "Cmd_OK"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(Opened(outcome),
              R"(["http://blog.orvaldi.net/","http://bbs.orvaldi.net/?fromuid=62077",)"
              R"("http://club.orvaldi.net/register.php?ref=62077","http://velmora.orvaldi.net/donate/"])");
}

TEST_F(LinksTest, AuthorDialogStaticLabelsOpenNothing)
{
    const ProcessResult outcome = Run("Author_Click", {"--click", "Label1", "--click", "Label6"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(Opened(outcome), "[]");
}

}  // namespace
}  // namespace velmora::testing
