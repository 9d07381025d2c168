// The studio ended by a signal: its private copy of the deck and the PDF
// LibreOffice made of it go with it.
#include <chrono>
#include <csignal>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>

#include "tests/reliability/ReliabilityFixture.hpp"

namespace velmora::testing {
namespace {

using namespace std::chrono_literals;

// Whether some file under `folder` ends in `ending`.
bool HoldsFileEndingIn(const std::filesystem::path& folder, const std::string& ending)
{
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->path().string().ends_with(ending)) {
            return true;
        }
    }
    return false;
}

class StudioInterruption : public ReliabilityTest {
protected:
    pid_t StartStudio(const std::filesystem::path& deck) const
    {
        std::vector<std::string> arguments{VELMORA_STUDIO, deck.string()};
        // Qt's runtime folder would otherwise go into the temporary folder.
        std::filesystem::create_directory(dir_ / "runtime");
        std::filesystem::permissions(dir_ / "runtime", std::filesystem::perms::owner_all);
        std::vector<std::string> environment{"TMPDIR=" + temporary_.path().string(), "QT_QPA_PLATFORM=offscreen",
                                             "VELMORA_SETTINGS=" + (dir_ / "settings.ini").string(),
                                             "XDG_RUNTIME_DIR=" + (dir_ / "runtime").string()};
        for (char** variable = environ; *variable != nullptr; ++variable) {
            const std::string_view entry(*variable);
            const std::string_view name = entry.substr(0, entry.find('='));
            if (name != "TMPDIR" && name != "QT_QPA_PLATFORM" && name != "VELMORA_SETTINGS" &&
                name != "XDG_RUNTIME_DIR") {
                environment.emplace_back(entry);
            }
        }
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (std::string& entry : environment) {
            envp.push_back(entry.data());
        }
        envp.push_back(nullptr);
        pid_t pid = 0;
        EXPECT_EQ(posix_spawn(&pid, argv.front(), nullptr, nullptr, argv.data(), envp.data()), 0);
        return pid;
    }

    TempDir temporary_;
};

TEST_F(StudioInterruption, SigtermTakesTheDecksCopyAndItsPdfWithIt)
{
    const auto deck = MakeDeck("deck.pptx", 3);
    const pid_t studio = StartStudio(deck);
    const auto deadline = std::chrono::steady_clock::now() + 120s;
    while (!(HoldsFileEndingIn(temporary_.path(), ".pptx") && HoldsFileEndingIn(temporary_.path(), ".pdf")) &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(20ms);
    }
    ASSERT_TRUE(HoldsFileEndingIn(temporary_.path(), ".pdf")) << "the studio drew no slide";
    kill(studio, SIGTERM);
    int status = 0;
    waitpid(studio, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 143) << status;
    for (const auto& entry : std::filesystem::directory_iterator(temporary_.path())) {
        ADD_FAILURE() << entry.path() << " left in the temporary folder";
    }
}

}  // namespace
}  // namespace velmora::testing
