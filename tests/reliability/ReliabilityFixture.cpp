#include "tests/reliability/ReliabilityFixture.hpp"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>

#include "tests/support/Decks.hpp"
#include "tests/support/PackageEdit.hpp"

namespace velmora::testing {

ProcessResult ReliabilityTest::Velmora(std::vector<std::string> arguments, std::map<std::string, std::string> environment)
{
    arguments.insert(arguments.begin(), VELMORA_BIN);
    environment.emplace("VELMORA_SETTINGS", (dir_ / "settings.ini").string());
    return RunProcess(arguments, std::chrono::seconds(120), environment);
}

std::filesystem::path ReliabilityTest::MakeDeck(const std::string& name, int slides)
{
    const std::filesystem::path file = dir_ / name;
    DeckHost().BuildNumbered(file, slides, 1);
    return file;
}

void ReliabilityTest::EditSlide(const std::filesystem::path& deck, const std::function<void(std::string&)>& edit)
{
    std::string xml = ReadEntry(deck, "ppt/slides/slide1.xml").value();
    edit(xml);
    WriteEntry(deck, "ppt/slides/slide1.xml", xml);
}

std::vector<std::string> ReliabilityTest::Names() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace velmora::testing
