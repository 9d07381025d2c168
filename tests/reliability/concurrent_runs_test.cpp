#include <array>
#include <chrono>
#include <csignal>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/reliability/ReliabilityFixture.hpp"
#include "tests/support/Decks.hpp"
#include "tests/support/LibreOffice.hpp"

namespace velmora::testing {
namespace {

// A process holding an exclusive flock on `file` until the object goes.
class FlockHolder {
public:
    explicit FlockHolder(const std::filesystem::path& file)
    {
        std::array<int, 2> ready{};
        if (::pipe(ready.data()) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            const int fd = ::open(file.c_str(), O_RDONLY);
            const char locked = (fd >= 0 && ::flock(fd, LOCK_EX) == 0) ? 'y' : 'n';
            (void)::write(ready[1], &locked, 1);
            ::pause();
            ::_exit(0);
        }
        ::close(ready[1]);
        char locked = 'n';
        EXPECT_EQ(::read(ready[0], &locked, 1), 1);
        EXPECT_EQ(locked, 'y');
        ::close(ready[0]);
    }
    ~FlockHolder()
    {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }

private:
    pid_t pid_ = -1;
};

int SlidesWithNotes(host::Presentation& presentation)
{
    int count = 0;
    for (int i = 1; i <= presentation.Slides()->Count(); ++i) {
        count += !DeckHost::Notes(*presentation.Slides()->Item(i)).empty();
    }
    return count;
}

int Effects(host::Presentation& presentation)
{
    int count = 0;
    for (int i = 1; i <= presentation.Slides()->Count(); ++i) {
        count += presentation.Slides()->Item(i)->TimeLine()->MainSequence()->Count();
    }
    return count;
}

using ConcurrentRunsTest = ReliabilityTest;

TEST_F(ConcurrentRunsTest, TwoRunsOnOneDeckTakeTurnsAndBothChangesStay)
{
    // Large enough that the second run starts reading while the first is still at work.
    const auto deck = MakeDeck("deck.pptx", 600);
    BackgroundVelmora notes(dir_ / "settings.ini", {"run", "DeleteComment_All_Main", deck.string()});
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    BackgroundVelmora effects(dir_ / "settings.ini", {"run", "RemoveAnimation_All_Main", deck.string()});
    EXPECT_EQ(notes.Wait(), 0);
    EXPECT_EQ(effects.Wait(), 0);

    DeckHost host;
    auto saved = host.Open(deck);
    EXPECT_EQ(SlidesWithNotes(*saved), 0);
    EXPECT_EQ(Effects(*saved), 0);
    for (const std::string& name : Names()) {
        EXPECT_TRUE(name == "deck.pptx" || name == "settings.ini") << name;
    }
}

TEST_F(ConcurrentRunsTest, ADeckLockedTooLongIsRefusedUntouched)
{
    const auto deck = MakeDeck("deck.pptx");
    const std::string before = ReadBytes(deck);
    const FlockHolder holder(deck);
    const ProcessResult outcome = Velmora({"run", "DeleteComment_All_Main", deck.string()});
    EXPECT_EQ(outcome.status, 3) << outcome.err;
    EXPECT_NE(outcome.err.find("another run or program"), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(ReadBytes(deck), before);
}

// The message of success must not come before the news that nothing was saved.
TEST_F(ConcurrentRunsTest, ADeckOpenElsewhereShowsNoSuccessForAChangeItCannotKeep)
{
    const auto deck = MakeDeck("deck.pptx");
    const std::string before = ReadBytes(deck);
    std::ofstream(dir_ / ".~lock.deck.pptx#") << ",someone,elsewhere.example,01.01.2024 10:00,someone;";

    ProcessResult outcome = Velmora({"run", "RemoveAnimation_All_Main", deck.string()});
    EXPECT_EQ(outcome.status, 3) << outcome.err;
    EXPECT_EQ(outcome.out.find("所有动画效果已去除"), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.err.find("nothing was saved"), std::string::npos) << outcome.err;
    EXPECT_EQ(ReadBytes(deck), before);

    // A command that changes nothing still reports as ever.
    outcome = Velmora({"run", "ExportComment_All_Main", deck.string()});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.out.find("所有备注信息已导出"), std::string::npos) << outcome.out;
    EXPECT_EQ(ReadBytes(deck), before);
}

TEST_F(ConcurrentRunsTest, ALockFileLeftOnThisHostByAGoneOfficeDoesNotBlock)
{
    const auto deck = MakeDeck("deck.pptx");
    std::ofstream(dir_ / ".~lock.deck.pptx#") << OfficeLockLine(LocalHostName());
    const ProcessResult outcome = Velmora({"run", "DeleteComment_All_Main", deck.string()});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    DeckHost host;
    EXPECT_EQ(SlidesWithNotes(*host.Open(deck)), 0);
}

// ulimit -f: the write fails as on a full disk instead of SIGXFSZ ending the program unheard.
TEST_F(ConcurrentRunsTest, TheFileSizeLimitIsReportedAndTheDeckKept)
{
    const auto deck = MakeDeck("deck.pptx", 60);
    const std::string before = ReadBytes(deck);
    ASSERT_GT(before.size(), 16u * 1024);
    const ProcessResult outcome =
        RunProcess({"/bin/sh", "-c", "ulimit -f 16 && exec \"$0\" \"$@\"", VELMORA_BIN, "run",
                    "DeleteComment_All_Main", deck.string()},
                   std::chrono::seconds(120), {{"VELMORA_SETTINGS", (dir_ / "settings.ini").string()}});
    EXPECT_EQ(outcome.status, 3) << outcome.err;
    EXPECT_NE(outcome.err.find("file-size limit"), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.out.find("所有备注信息已删除"), std::string::npos) << outcome.out;
    EXPECT_EQ(ReadBytes(deck), before);
    for (const std::string& name : Names()) {
        EXPECT_TRUE(name == "deck.pptx" || name == "settings.ini") << name;
    }
}

}  // namespace
}  // namespace velmora::testing
