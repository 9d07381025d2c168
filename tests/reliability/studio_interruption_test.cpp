// The studio ended by a signal: its private copy of the deck and the PDF
// LibreOffice made of it go with it.
#include <chrono>
#include <csignal>
#include <thread>

#include <sys/wait.h>

#include "tests/reliability/ReliabilityFixture.hpp"
#include "tests/support/Process.hpp"

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
        // Qt's runtime folder would otherwise go into the temporary folder.
        std::filesystem::create_directory(dir_ / "runtime");
        std::filesystem::permissions(dir_ / "runtime", std::filesystem::perms::owner_all);
        const pid_t pid = StartProcess({VELMORA_STUDIO, deck.string()},
                                       {{"TMPDIR", temporary_.path().string()},
                                        {"QT_QPA_PLATFORM", "offscreen"},
                                        {"VELMORA_SETTINGS", (dir_ / "settings.ini").string()},
                                        {"XDG_RUNTIME_DIR", (dir_ / "runtime").string()}});
        EXPECT_GT(pid, 0);
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
