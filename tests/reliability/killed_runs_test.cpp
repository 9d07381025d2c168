// Runs killed or ended at any point of their work: the next run leaves
// nothing of theirs beside the deck or in the temporary folder.
#include <chrono>
#include <csignal>
#include <set>
#include <thread>

#include "tests/reliability/ReliabilityFixture.hpp"

namespace velmora::testing {
namespace {

using Clock = std::chrono::steady_clock;

class KilledRuns : public ReliabilityTest {
protected:
    std::map<std::string, std::string> Environment() const { return {{"TMPDIR", temporary_.path().string()}}; }

    // Runs the command to its end, timing it; cuts it short at points
    // spread over that time, killing and ending it in turn; then runs it
    // to its end again. An ended run takes with it whatever it made but
    // `outputs`; a killed one may leave things for the next run to remove.
    void CutShortThenRunAgain(std::vector<std::string> arguments, const std::set<std::string>& outputs)
    {
        arguments.insert(arguments.end(), {"--no-open", "--answer", "yes"});
        const auto started = Clock::now();
        ASSERT_EQ(Velmora(arguments, Environment()).status, 0);
        const auto runTime = Clock::now() - started;
        constexpr int kCuts = 6;
        for (int cut = 0; cut < kCuts; ++cut) {
            const int signal = cut % 2 == 0 ? SIGKILL : SIGTERM;
            std::set<std::string> before = Everything();
            before.insert(outputs.begin(), outputs.end());
            BackgroundVelmora run(dir_ / "settings.ini", arguments, Environment());
            std::this_thread::sleep_for(runTime * (cut + 1) / (kCuts + 1));
            run.Signal(signal);
            run.Wait();
            for (const std::string& name : Everything()) {
                EXPECT_TRUE(signal == SIGKILL || before.contains(name)) << name << " left after cut " << cut;
            }
        }
        const auto last = Velmora(arguments, Environment());
        ASSERT_EQ(last.status, 0) << last.err;
        ExpectOnly(outputs);
    }

    // The names beside the deck and in the temporary folder.
    std::set<std::string> Everything() const
    {
        const std::vector<std::string> names = Names();
        std::set<std::string> everything(names.begin(), names.end());
        for (const auto& entry : std::filesystem::directory_iterator(temporary_.path())) {
            everything.insert(entry.path().string());
        }
        return everything;
    }

    // The deck, the settings with their lock file, and `outputs`.
    void ExpectOnly(std::set<std::string> outputs) const
    {
        outputs.insert({"deck.pptx", "settings.ini", "settings.ini.lock"});
        for (const std::string& name : Names()) {
            EXPECT_TRUE(outputs.contains(name)) << name << " left";
        }
        for (const auto& entry : std::filesystem::directory_iterator(temporary_.path())) {
            ADD_FAILURE() << entry.path() << " left in the temporary folder";
        }
    }

    TempDir temporary_;
};

TEST_F(KilledRuns, ASplitLeavesNoCopyOfTheDeck)
{
    const auto deck = MakeDeck("deck.pptx", 300);
    CutShortThenRunAgain({"run", "SplitDoc_fromhere_Main", deck.string(), "--slide", "101"},
                         {"deck-拆分文档.pptx"});
}

TEST_F(KilledRuns, AnExportLeavesNoCopyOfTheDeckNorItsPictures)
{
    const auto deck = MakeDeck("deck.pptx", 6);
    CutShortThenRunAgain({"run", "ExportPic_main", deck.string(), "--set", "OptionButton1=true", "--set",
                          "OptionButton4=true", "--click", "Cmd_OK"},
                         {"deck-导出图片"});
}

TEST_F(KilledRuns, AMontageLeavesNoFolderOfPicturesNorCopiesOfTheDeck)
{
    const auto deck = MakeDeck("deck.pptx", 6);
    CutShortThenRunAgain({"run", "CombinPic_main", deck.string(), "--set", "OptionButton3=true"}, {"deck-拼图.JPG"});
}

}  // namespace
}  // namespace velmora::testing
