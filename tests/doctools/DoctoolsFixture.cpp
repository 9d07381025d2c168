#include "tests/doctools/DoctoolsFixture.hpp"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace velmora::testing {

void DoctoolsTest::SetUp()
{
    setenv("VELMORA_SETTINGS", (dir_ / "settings.ini").c_str(), 1);
}

ProcessResult DoctoolsTest::Velmora(const std::vector<std::string>& args) const
{
    std::vector<std::string> argv{VELMORA_BIN};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(argv);
}

std::string DoctoolsTest::ReadBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::filesystem::path> DoctoolsTest::FilesStartingWith(const std::string& prefix) const
{
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
        if (entry.path().filename().string().starts_with(prefix)) {
            found.push_back(entry.path());
        }
    }
    return found;
}

}  // namespace velmora::testing
