#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/reliability/ReliabilityFixture.hpp"
#include "tests/support/Decks.hpp"

namespace velmora::testing {
namespace {

using RunFaultsTest = ReliabilityTest;

// The notes deletion changes and saves the deck; its notes tell old from new.
constexpr const char* kChangingCommand = "DeleteComment_All_Main";

bool HasNotes(const std::filesystem::path& deck)
{
    DeckHost host;
    return DeckHost::Notes(*host.Open(deck)->Slides()->Item(1)) == "N1";
}

TEST_F(RunFaultsTest, AnUnusableTemporaryFolderOnlyMattersForPictures)
{
    const auto deck = MakeDeck("deck.pptx");
    std::ofstream(dir_ / "a-file") << "x";
    for (const std::string& folder : {(dir_ / "missing").string(), (dir_ / "a-file").string()}) {
        const ProcessResult outcome = Velmora({"run", kChangingCommand, deck.string()}, {{"TMPDIR", folder}});
        EXPECT_EQ(outcome.status, 0) << folder << ": " << outcome.err;
        const ProcessResult pictures =
            Velmora({"run", "TranstoPic_main", deck.string(), "-o", (dir_ / "pictures.pptx").string()},
                    {{"TMPDIR", folder}});
        EXPECT_EQ(pictures.status, 3) << folder << ": " << pictures.err;
        EXPECT_NE(pictures.err.find("velmora: "), std::string::npos) << pictures.err;
    }
}

TEST_F(RunFaultsTest, AnEmptyOutputNameIsBadUsageRefusedBeforeTheCommandRuns)
{
    const auto deck = MakeDeck("deck.pptx");
    const std::string before = ReadBytes(deck);
    const ProcessResult outcome = Velmora({"run", kChangingCommand, deck.string(), "-o", ""});
    EXPECT_EQ(outcome.status, 2) << outcome.err;
    EXPECT_NE(outcome.err.find("needs a file name"), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(ReadBytes(deck), before);
}

TEST_F(RunFaultsTest, ADeckReachedThroughALinkIsSavedWhereTheLinkPoints)
{
    std::filesystem::create_directory(dir_ / "real");
    const auto deck = MakeDeck("real/deck.pptx");
    std::filesystem::create_symlink("real/deck.pptx", dir_ / "link.pptx");
    const ProcessResult outcome = Velmora({"run", kChangingCommand, (dir_ / "link.pptx").string()});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "link.pptx"));
    EXPECT_FALSE(HasNotes(deck));
}

TEST_F(RunFaultsTest, TargetsThatMayNotBeReplacedAreRefusedAndKept)
{
    const auto deck = MakeDeck("deck.pptx");
    const std::string before = ReadBytes(deck);

    std::filesystem::permissions(deck, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    ProcessResult outcome = Velmora({"run", kChangingCommand, deck.string()});
    EXPECT_EQ(outcome.status, 3) << outcome.err;
    EXPECT_NE(outcome.err.find("read-only"), std::string::npos) << outcome.err;
    EXPECT_EQ(ReadBytes(deck), before);
    std::filesystem::permissions(deck, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    std::ofstream(dir_ / ".~lock.deck.pptx#") << ",someone,host,01.01.2024 10:00,someone;";
    outcome = Velmora({"run", kChangingCommand, deck.string()});
    EXPECT_EQ(outcome.status, 3) << outcome.err;
    EXPECT_NE(outcome.err.find(".~lock.deck.pptx#"), std::string::npos) << outcome.err;
    EXPECT_EQ(ReadBytes(deck), before);
    std::filesystem::remove(dir_ / ".~lock.deck.pptx#");

    outcome = Velmora({"run", kChangingCommand, deck.string(), "-o", "/dev/null"});
    EXPECT_EQ(outcome.status, 3) << outcome.err;
    EXPECT_NE(outcome.err.find("not a regular file"), std::string::npos) << outcome.err;
    EXPECT_EQ(Names(), (std::vector<std::string>{"deck.pptx"}));
}

TEST_F(RunFaultsTest, NamesNearTheSystemLimitSave)
{
    const auto deck = MakeDeck(std::string(245, 'd') + ".pptx");
    const ProcessResult outcome = Velmora({"run", kChangingCommand, deck.string()});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_FALSE(HasNotes(deck));
    EXPECT_EQ(Names(), std::vector<std::string>{deck.filename().string()});
}

TEST_F(RunFaultsTest, FoldersAndPipesAreNamedForWhatTheyAre)
{
    std::filesystem::create_directory(dir_ / "folder.pptx");
    ASSERT_EQ(::mkfifo((dir_ / "pipe.pptx").c_str(), 0600), 0);
    ProcessResult outcome = Velmora({"run", "About_Click", (dir_ / "folder.pptx").string()});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("folder.pptx: is a directory"), std::string::npos) << outcome.err;
    outcome = Velmora({"run", "About_Click", (dir_ / "pipe.pptx").string()});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("pipe.pptx: is a pipe"), std::string::npos) << outcome.err;
}

// velmora ... | head: the reader is gone before the first message.
TEST_F(RunFaultsTest, AClosedStdoutDoesNotStopTheSave)
{
    const auto deck = MakeDeck("deck.pptx");
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    ::close(out[0]);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::setenv("VELMORA_SETTINGS", (dir_ / "settings.ini").c_str(), 1);
        ::execl(VELMORA_BIN, VELMORA_BIN, "run", kChangingCommand, deck.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(HasNotes(deck));
}

}  // namespace
}  // namespace velmora::testing
