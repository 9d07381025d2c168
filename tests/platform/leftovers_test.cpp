// What a killed run leaves beside a deck and in the temporary folder, and
// who may remove it.
#include "platform/Leftovers.hpp"

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/PrivateFolder.hpp"
#include "platform/RuntimeRandom.hpp"
#include "platform/TemporaryName.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::platform {
namespace {

using velmora::testing::TempDir;

class Leftovers : public ::testing::Test {
protected:
    Leftovers()
    {
        std::filesystem::create_directory(temporary_);
        const char* before = std::getenv("TMPDIR");
        tmpdir_ = before != nullptr ? before : "";
        setenv("TMPDIR", temporary_.c_str(), 1);
    }
    ~Leftovers() override
    {
        if (tmpdir_.empty()) {
            unsetenv("TMPDIR");
        } else {
            setenv("TMPDIR", tmpdir_.c_str(), 1);
        }
    }

    // A run that makes a temporary copy of a deck beside it, a folder of
    // temporary pictures and a private folder, and is killed.
    void KilledRun() const
    {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            RuntimeRandom random;
            const TemporaryName copy(random, deck_, 1000000, {".pptx"});
            const TemporaryName pictures(random, deck_, 1000000, {"", ".html", ".files"});
            std::ofstream(std::filesystem::path(copy.Path()) += ".pptx") << "a copy of the deck";
            std::filesystem::create_directories(pictures.Path() / "inner");
            std::ofstream(pictures.Path() / "inner" / "1.jpg") << "a picture";
            const PrivateFolder render("velmora-render");
            std::ofstream(render.Path() / "slides-1.pdf") << "a PDF of the deck";
            raise(SIGKILL);
        }
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
    }

    static std::vector<std::string> Names(const std::filesystem::path& folder)
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir dir_;
    std::filesystem::path deck_ = dir_ / "decks";
    std::filesystem::path temporary_ = dir_ / "temporary";
    std::string tmpdir_;
};

TEST_F(Leftovers, AKilledRunsNamesGoWithTheNextSweepAndNothingElseDoes)
{
    std::filesystem::create_directory(deck_);
    std::ofstream(deck_ / "deck.pptx") << "the user's deck";
    // Named as ours are, without a record, or with a record of another machine.
    std::ofstream(deck_ / "tmp424242.pptx") << "the user's own";
    std::ofstream(deck_ / ".~velmora-tmp77#") << "999999999\nanother-machine\n.pptx\n";
    std::ofstream(deck_ / "tmp77.pptx") << "another machine's run";
    std::filesystem::create_directory(temporary_ / "velmora-notes");

    KilledRun();
    EXPECT_EQ(Names(deck_).size(), 4u + 2 + 2) << "a copy, a picture folder and their records are left";
    EXPECT_EQ(Names(temporary_).size(), 2u);

    RuntimeRandom random;
    const TemporaryName live(random, deck_, 1000000, {".pptx"});
    std::ofstream(std::filesystem::path(live.Path()) += ".pptx") << "a live run's copy";
    const PrivateFolder render("velmora-render");

    RemoveLeftoversOfDeadRuns(deck_);
    RemoveLeftoversOfDeadRuns(temporary_);
    const std::string liveCopy = (std::filesystem::path(live.Path()) += ".pptx").filename().string();
    const std::string liveRecord = ".~velmora-" + live.Path().filename().string() + "#";
    std::vector<std::string> besideDeck{".~velmora-tmp77#", liveRecord, "deck.pptx", liveCopy, "tmp424242.pptx",
                                        "tmp77.pptx"};
    std::sort(besideDeck.begin(), besideDeck.end());
    EXPECT_EQ(Names(deck_), besideDeck);
    std::vector<std::string> kept{render.Path().filename().string(), "velmora-notes"};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(Names(temporary_), kept);
}

TEST_F(Leftovers, ARecordLastsAsLongAsItsNameIsHeld)
{
    std::filesystem::create_directory(deck_);
    {
        RuntimeRandom random;
        const TemporaryName held(random, deck_, 1000000, {".pptx"});
        EXPECT_EQ(Names(deck_), std::vector<std::string>{".~velmora-" + held.Path().filename().string() + "#"});
        RemoveLeftoversOfDeadRuns(deck_);
        EXPECT_EQ(Names(deck_).size(), 1u) << "a live run's record stays";
    }
    EXPECT_TRUE(Names(deck_).empty());
}

}  // namespace
}  // namespace velmora::platform
