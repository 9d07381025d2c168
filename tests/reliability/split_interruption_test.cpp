#include <chrono>
#include <csignal>
#include <thread>

#include "tests/reliability/ReliabilityFixture.hpp"
#include "tests/support/Decks.hpp"

namespace velmora::testing {
namespace {

using Clock = std::chrono::steady_clock;
using SplitInterruptionTest = ReliabilityTest;

// Killed and interrupted at many points of a split from slide 101 of 300,
// the split name holds nothing or the trimmed copy; an interruption that
// could clean up leaves no temporary copy either.
TEST_F(SplitInterruptionTest, ASplitCutShortNeverLeavesAnUntrimmedCopy)
{
    const auto deck = MakeDeck("deck.pptx", 300);
    const auto copy = dir_ / "deck-拆分文档.pptx";
    const std::vector<std::string> split{"run", "SplitDoc_fromhere_Main", deck.string(), "--slide", "101",
                                         "--answer", "yes"};
    const auto started = Clock::now();
    ASSERT_EQ(Velmora(split).status, 0);
    const auto splitTime = Clock::now() - started;
    ASSERT_EQ(DeckHost().Open(copy)->Slides()->Count(), 200);
    std::filesystem::remove(copy);

    constexpr int kCuts = 20;
    int copiesSeen = 0;
    for (int cut = 0; cut < kCuts; ++cut) {
        const int signal = cut % 2 == 0 ? SIGKILL : SIGTERM;
        BackgroundVelmora run(dir_ / "settings.ini", split);
        std::this_thread::sleep_for(splitTime * cut / (kCuts - 4));
        run.Signal(signal);
        run.Wait();
        if (std::filesystem::exists(copy)) {
            ++copiesSeen;
            EXPECT_EQ(DeckHost().Open(copy)->Slides()->Count(), 200) << "cut " << cut;
            std::filesystem::remove(copy);
        }
        for (const std::string& name : Names()) {
            if (name != "deck.pptx" && name != "settings.ini") {
                EXPECT_EQ(signal, SIGKILL) << name << " left after cut " << cut;
                std::filesystem::remove(dir_ / name);
            }
        }
    }
    EXPECT_GT(copiesSeen, 0);
}

}  // namespace
}  // namespace velmora::testing
