#include <chrono>
#include <csignal>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

#include "pptx/package/Package.hpp"
#include "pptx/package/ZipArchive.hpp"
#include "tests/reliability/ReliabilityFixture.hpp"
#include "tests/support/Decks.hpp"

namespace velmora::testing {
namespace {

using Clock = std::chrono::steady_clock;
constexpr const char* kMarker = "<!--saved-->";

// A child that changes every slide of `deck` and saves it over itself; it
// reports on `ready` just before the save starts.
pid_t StartSave(const std::filesystem::path& deck, int& ready)
{
    int signal[2];
    if (::pipe(signal) != 0) {
        return -1;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(signal[0]);
        auto package = pptx::package::Package::Open(deck);
        for (int slide = 1; package->Contains("/ppt/slides/slide" + std::to_string(slide) + ".xml"); ++slide) {
            const std::string part = "/ppt/slides/slide" + std::to_string(slide) + ".xml";
            package->Write(part, package->Read(part) + kMarker);
        }
        (void)::write(signal[1], "s", 1);
        package->Save(deck);
        ::_exit(0);
    }
    ::close(signal[1]);
    ready = signal[0];
    return child;
}

void AwaitReady(int ready)
{
    char byte = 0;
    ASSERT_EQ(::read(ready, &byte, 1), 1);
    ::close(ready);
}

// Whole means every entry unpacks; new means the change is in it.
enum class DeckState { Old, New, Broken };

DeckState StateOf(const std::filesystem::path& deck, const std::string& old)
{
    if (ReadBytes(deck) == old) {
        return DeckState::Old;
    }
    try {
        auto package = pptx::package::Package::Open(deck);
        bool changed = true;
        for (int slide = 1; package->Contains("/ppt/slides/slide" + std::to_string(slide) + ".xml"); ++slide) {
            changed = changed && package->Read("/ppt/slides/slide" + std::to_string(slide) + ".xml").ends_with(kMarker);
        }
        const auto archive = pptx::package::ZipArchive::Open(deck);
        for (std::size_t entry = 0; entry < archive->Entries().size(); ++entry) {
            archive->Read(entry);
        }
        return changed ? DeckState::New : DeckState::Broken;
    } catch (const std::exception&) {
        return DeckState::Broken;
    }
}

using SaveInterruptionTest = ReliabilityTest;

// kill -9 at many points of a 500-slide save: the deck is always the old
// one or the new one, whole, and nothing stays beside it once the next
// save has looked.
TEST_F(SaveInterruptionTest, AKilledSaveLeavesTheOldDeckOrTheNewOne)
{
    std::filesystem::create_directory(dir_ / "decks");
    const auto deck = dir_ / "decks" / "deck.pptx";
    DeckHost().BuildNumbered(deck, 500);
    const auto original = dir_ / "original.pptx";
    std::filesystem::copy_file(deck, original);
    const std::string old = ReadBytes(deck);

    int ready = -1;
    pid_t child = StartSave(deck, ready);
    ASSERT_GT(child, 0);
    AwaitReady(ready);
    const auto started = Clock::now();
    int status = 0;
    ::waitpid(child, &status, 0);
    const auto saveTime = Clock::now() - started;
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_EQ(StateOf(deck, old), DeckState::New);

    constexpr int kKills = 40;
    int oldSeen = 0;
    int newSeen = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        std::filesystem::copy_file(original, deck, std::filesystem::copy_options::overwrite_existing);
        child = StartSave(deck, ready);
        ASSERT_GT(child, 0);
        AwaitReady(ready);
        std::this_thread::sleep_for(saveTime * kill / (kKills - 8));
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        const DeckState state = StateOf(deck, old);
        ASSERT_NE(state, DeckState::Broken) << "kill " << kill;
        (state == DeckState::Old ? oldSeen : newSeen) += 1;
        std::size_t beside = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir_ / "decks")) {
            beside += entry.path().filename() != "deck.pptx";
        }
        // Only a kill between naming the new file and renaming it can leave one; the next save removes it.
        EXPECT_LE(beside, 1u) << "kill " << kill;
    }
    EXPECT_GT(oldSeen, 0);
    EXPECT_GT(newSeen, 0);

    pptx::package::Package::Open(deck)->Save(deck);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir_ / "decks")) {
        left.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(left, std::vector<std::string>{"deck.pptx"});
}

}  // namespace
}  // namespace velmora::testing
