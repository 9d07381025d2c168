#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

#include <gtest/gtest.h>

#include "host/HostError.hpp"
#include "platform/XdgShell.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::platform {
namespace {

TEST(XdgShell, RefusesAddressesThatAreNotWebOrMail)
{
    XdgShell shell("true");
    for (const char* address : {"file:///etc/passwd", "javascript:alert(1)", "JavaScript:x", "ftp://host/x",
                                "/home/user/a.html", "", "-h", "www.example.com"}) {
        EXPECT_THROW(shell.OpenAddress(address), std::invalid_argument) << address;
    }
    EXPECT_NO_THROW(shell.OpenAddress("http://example.com/a?b=c&d=e"));
    EXPECT_NO_THROW(shell.OpenAddress("HTTPS://example.com/"));
    EXPECT_NO_THROW(shell.OpenAddress("mailto:someone@example.com"));
}

// The opener gets the address as one argument, untouched by any shell.
TEST(XdgShell, PassesTheAddressAsOneArgument)
{
    testing::TempDir dir;
    const auto script = dir / "opener";
    const auto record = dir / "record";
    std::ofstream(script) << "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > '" << record.string() << ".part'\nmv '"
                          << record.string() << ".part' '" << record.string() << "'\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);

    XdgShell shell(script.string());
    const std::string address = "https://example.com/s?q=a b;touch \"$HOME/x\"&y=`id`";
    shell.OpenAddress(address);
    for (int i = 0; i < 200 && !std::filesystem::exists(record); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::ifstream in(record);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), "1|" + address);

    std::filesystem::remove(record);
    shell.ShowFolder("relative-folder");
    for (int i = 0; i < 200 && !std::filesystem::exists(record); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::ifstream folder(record);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(folder), std::istreambuf_iterator<char>()),
              "1|" + std::filesystem::absolute("relative-folder").string());
}

TEST(XdgShell, MissingOpenerIsAHostError)
{
    XdgShell shell("velmora-no-such-opener");
    EXPECT_THROW(shell.ShowFolder("/tmp"), host::HostError);
}

}  // namespace
}  // namespace velmora::platform
