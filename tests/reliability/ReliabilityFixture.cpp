#include "tests/reliability/ReliabilityFixture.hpp"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>

#include <csignal>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/Decks.hpp"
#include "tests/support/PackageEdit.hpp"

namespace velmora::testing {

BackgroundVelmora::BackgroundVelmora(const std::filesystem::path& settings, const std::vector<std::string>& arguments,
                                     const std::map<std::string, std::string>& environment)
{
    std::vector<char*> argv{const_cast<char*>(VELMORA_BIN)};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ == 0) {
        const int nothing = ::open("/dev/null", O_RDWR);
        ::dup2(nothing, STDIN_FILENO);
        ::dup2(nothing, STDOUT_FILENO);
        ::dup2(nothing, STDERR_FILENO);
        ::setenv("VELMORA_SETTINGS", settings.c_str(), 1);
        for (const auto& [name, value] : environment) {
            ::setenv(name.c_str(), value.c_str(), 1);
        }
        ::execv(VELMORA_BIN, argv.data());
        ::_exit(127);
    }
}

BackgroundVelmora::~BackgroundVelmora()
{
    if (pid_ > 0) {
        Signal(SIGKILL);
        Wait();
    }
}

int BackgroundVelmora::Wait()
{
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BackgroundVelmora::Signal(int signal) const
{
    ::kill(pid_, signal);
}

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
