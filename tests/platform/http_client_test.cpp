#include <chrono>
#include <string>

#include <gtest/gtest.h>

#include "host/HostError.hpp"
#include "platform/CurlHttpClient.hpp"
#include "platform/XmlResponse.hpp"
#include "tests/support/HttpServer.hpp"

namespace velmora::platform {
namespace {

using namespace std::chrono_literals;

const host::HttpHeader kXmlHeader{"Content-Type", "text/xml;charset=UTF-8"};

TEST(XmlResponse, NodeListsReadByIndex)
{
    const XmlResponse document(
        "<?xml version=\"1.0\"?>\n<Data>\n  <AppData><AppName> Other </AppName><Version>3.0</Version></AppData>\n"
        "  <AppData><AppName>Velmora</AppName><Version><![CDATA[2.1]]></Version></AppData>\n</Data>");
    EXPECT_EQ(document.SelectNodes("/Data/AppData").size(), 2u);
    EXPECT_EQ(document.SelectNodes("/Data/AppData/AppName"), (std::vector<std::string>{"Other", "Velmora"}));
    EXPECT_EQ(document.SelectNodes("/Data/AppData/Version")[1], "2.1");
    EXPECT_EQ(document.SelectNodes("/Data/AppData[2]")[0], "Velmora2.1") << "an element's text is all its text";
    EXPECT_TRUE(document.SelectNodes("/Data/AppData/Piclink").empty());
}

TEST(XmlResponse, BodiesThatAreNotXmlAndBadPathsSelectNothing)
{
    EXPECT_TRUE(XmlResponse("<html><body>Not found").SelectNodes("/html").empty());
    EXPECT_TRUE(XmlResponse("").SelectNodes("/string").empty());
    EXPECT_TRUE(XmlResponse("<string>x</string>").SelectNodes("/string[").empty());
    EXPECT_EQ(XmlResponse("<string xmlns=\"urn:x\">blue sky</string>").SelectNodes("/string"),
              std::vector<std::string>{"blue sky"});
}

class CurlHttpClientTest : public ::testing::Test {
protected:
    testing::HttpServer server_;
    CurlHttpClient client_;
};

TEST_F(CurlHttpClientTest, GetsStatusBodyAndSendsTheHeader)
{
    server_.Serve("/ppt/VelmoraXML.xml", 200, "<Data><AppData><AppName>Velmora</AppName></AppData></Data>");
    const host::HttpResponse response = client_.Get(server_.Base() + "/ppt/VelmoraXML.xml", kXmlHeader, 4s);
    EXPECT_EQ(response.Status, 200);
    EXPECT_EQ(response.responseXML->SelectNodes("/Data/AppData/AppName"), std::vector<std::string>{"Velmora"});
    ASSERT_EQ(server_.Requests().size(), 1u);
    EXPECT_EQ(server_.Requests()[0].contentType, "text/xml;charset=UTF-8");
}

// Keywords keep their spaces in the add-in's addresses; the request still goes out.
TEST_F(CurlHttpClientTest, SpacesAndOtherBytesInTheAddressAreEncodedOnTheWire)
{
    server_.Serve("/v2/Http.svc/Translate", 200, "<string>blue sky</string>");
    const host::HttpResponse response =
        client_.Get(server_.Base() + "/v2/Http.svc/Translate?text=%E8%93%9D a\tb 天&to=en", kXmlHeader, 4s);
    EXPECT_EQ(response.Status, 200);
    ASSERT_EQ(server_.Requests().size(), 1u);
    EXPECT_EQ(server_.Requests()[0].target, "/v2/Http.svc/Translate?text=蓝 a\tb 天&to=en");
}

TEST_F(CurlHttpClientTest, ErrorStatusesAreResponsesWithTheirBodies)
{
    server_.Serve("/forbidden", 403, "<string>no</string>");
    server_.Serve("/broken", 500, "oops");
    const host::HttpResponse forbidden = client_.Get(server_.Base() + "/forbidden", kXmlHeader, 4s);
    EXPECT_EQ(forbidden.Status, 403);
    EXPECT_EQ(forbidden.responseXML->SelectNodes("/string"), std::vector<std::string>{"no"});
    EXPECT_EQ(client_.Get(server_.Base() + "/broken", kXmlHeader, 4s).Status, 500);
    EXPECT_EQ(client_.Get(server_.Base() + "/missing", kXmlHeader, 4s).Status, 404);
}

TEST_F(CurlHttpClientTest, FollowsRedirectsWithinReasonAndOnlyToTheWeb)
{
    server_.Serve("/target", 200, "<ok/>");
    server_.Redirect("/moved", server_.Base() + "/target");
    EXPECT_EQ(client_.Get(server_.Base() + "/moved", kXmlHeader, 4s).Status, 200);

    server_.Redirect("/loop", server_.Base() + "/loop");
    EXPECT_THROW(client_.Get(server_.Base() + "/loop", kXmlHeader, 4s), host::HostError);
    server_.Redirect("/to-file", "file:///etc/passwd");
    EXPECT_THROW(client_.Get(server_.Base() + "/to-file", kXmlHeader, 4s), host::HostError);
}

TEST_F(CurlHttpClientTest, RefusesOtherSchemesAndOversizedBodies)
{
    EXPECT_THROW(client_.Get("file:///etc/passwd", kXmlHeader, 4s), host::HostError);
    EXPECT_THROW(client_.Get("ftp://127.0.0.1/x", kXmlHeader, 4s), host::HostError);

    server_.Serve("/big", 200, std::string(2000, 'x'));
    CurlHttpClient small(3s, 1000);
    EXPECT_THROW(small.Get(server_.Base() + "/big", kXmlHeader, 4s), host::HostError);
    EXPECT_NO_THROW(client_.Get(server_.Base() + "/big", kXmlHeader, 4s));
}

TEST(CurlHttpClient, NoAnswerEndsTheRequestAtItsLimit)
{
    testing::SilentServer silent;
    CurlHttpClient client;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(client.Get(silent.Base() + "/ppt/VelmoraXML.xml", kXmlHeader, 300ms), host::HostError);
    // Far above the limit, only to catch a request that waits for ever.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 20s);
}

TEST(CurlHttpClient, RefusedConnectionAndUnknownHostFailAtOnce)
{
    CurlHttpClient client;
    std::string closedPort;
    {
        testing::SilentServer gone;
        closedPort = gone.Base();
    }
    EXPECT_THROW(client.Get(closedPort + "/x", kXmlHeader, 4s), host::HostError);
    EXPECT_THROW(client.Get("http://velmora-no-such-host.invalid/x", kXmlHeader, 4s), host::HostError);
}

}  // namespace
}  // namespace velmora::platform
