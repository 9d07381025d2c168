#include "tests/publish/CommandFixture.hpp"

#include <cstdlib>

namespace velmora::testing {

void CommandTest::SetUp()
{
    setenv("VELMORA_SETTINGS", settings_.Path().c_str(), 1);
    const char* path = std::getenv("PATH");
    path_ = path != nullptr ? path : "/usr/bin:/bin";
    // Our opener comes first; LibreOffice is still found further on.
    setenv("PATH", (dir_.path().string() + ":" + path_).c_str(), 1);
}

void CommandTest::TearDown()
{
    setenv("PATH", path_.c_str(), 1);
}

ProcessResult CommandTest::Velmora(const std::vector<std::string>& args) const
{
    std::vector<std::string> argv{VELMORA_BIN};
    argv.insert(argv.end(), args.begin(), args.end());
    // A desktop session, so that folders are shown (to our opener).
    return RunProcess(argv, std::chrono::seconds(300), {{"DISPLAY", ":0"}, {"VELMORA_NO_OPEN", ""}});
}

}  // namespace velmora::testing
