// Modules keep libraries out of the program until first used; this program
// links the platform library alone, as the command line does.
#include <chrono>
#include <cstddef>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/CurlHttpClient.hpp"
#include "platform/FontMetrics.hpp"
#include "platform/HttpModule.hpp"
#include "platform/SharedModule.hpp"
#include "tests/support/HttpServer.hpp"
#include "tests/support/Process.hpp"

namespace velmora::platform {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using testing::OwnMaps;

int Count(const std::string& text, const std::string& part)
{
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// First: the other cases load the modules.
TEST(FontModule, FontconfigArrivesWithTheFirstMeasurement)
{
    EXPECT_THAT(OwnMaps(), Not(HasSubstr("libfontconfig")));
    EXPECT_GT(MeasureText("Liberation Sans", 10, "Velmora").width, 0);
    EXPECT_THAT(OwnMaps(), HasSubstr("libvelmora_fonts.so"));
    EXPECT_THAT(OwnMaps(), HasSubstr("libfontconfig"));
}

TEST(HttpModule, LibcurlArrivesWithTheFirstRequest)
{
    using namespace std::chrono_literals;
    testing::HttpServer server;
    server.Serve("/ppt/VelmoraXML.xml", 200, "<Data/>");
    CurlHttpClient client;
    EXPECT_THAT(OwnMaps(), Not(HasSubstr("libcurl")));

    EXPECT_EQ(client.Get(server.Base() + "/ppt/VelmoraXML.xml", {"Content-Type", "text/xml"}, 4s).Status, 200);
    EXPECT_THAT(OwnMaps(), HasSubstr("libvelmora_http.so"));
    EXPECT_THAT(OwnMaps(), HasSubstr("libcurl"));
}

TEST(SharedModule, WhenNothingLoadsEveryPlaceTriedIsReported)
{
    std::string failures;
    EXPECT_EQ(LoadModuleEntry("libvelmora_nowhere.so", "/no/such/build/libvelmora_nowhere.so", "entry", failures),
              nullptr);
    // Beside the program, its ../lib/velmora, the build's path.
    EXPECT_EQ(Count(failures, "libvelmora_nowhere.so: cannot open shared object file"), 3) << failures;
    EXPECT_THAT(failures, HasSubstr("/lib/velmora/libvelmora_nowhere.so"));
    EXPECT_THAT(failures, HasSubstr("/no/such/build/libvelmora_nowhere.so"));

    EXPECT_EQ(LoadModuleEntry("libvelmora_http.so", VELMORA_HTTP_MODULE, "velmora_no_entry", failures), nullptr);
    EXPECT_THAT(failures, HasSubstr(std::string(VELMORA_HTTP_MODULE) + " has no velmora_no_entry"));
}

TEST(SharedModule, GivesTheFunctionsOfItsEntryPoint)
{
    SharedModule<HttpFunctions> module("libvelmora_http.so", VELMORA_HTTP_MODULE, "velmora_http_functions");
    std::string failures;
    const HttpFunctions* functions = module.Load(failures);
    ASSERT_NE(functions, nullptr) << failures;
    EXPECT_EQ(functions, &HttpModule()) << "one copy of the module for the process";
}

}  // namespace
}  // namespace velmora::platform
