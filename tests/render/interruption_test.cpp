// An interrupted picture export ends LibreOffice and everything it started,
// removes its temporary files and leaves the deck as it was.
#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include "tests/render/SampleDeck.hpp"
#include "tests/support/Process.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::render {
namespace {

using velmora::testing::TempDir;
using namespace std::chrono_literals;

std::string Contents(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Alive(int pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string skip;
    char state = 'X';
    return (stat >> skip >> skip >> state) && state != 'Z';
}

// Processes whose command line mentions `text`.
std::vector<int> ProcessesMentioning(const std::string& text)
{
    std::vector<int> found;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::string command = Contents(entry.path() / "cmdline");
        if (command.find(text) != std::string::npos && Alive(std::stoi(name))) {
            found.push_back(std::stoi(name));
        }
    }
    return found;
}

template <typename Condition>
bool WaitFor(Condition condition, std::chrono::seconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

class InterruptionTest : public ::testing::Test {
protected:
    InterruptionTest() { std::filesystem::create_directory(temp_); }

    // Starts the exporting program with its temporary files in temp_.
    int Start(const std::filesystem::path& soffice, const std::filesystem::path& deck)
    {
        const int pid = testing::StartProcess(
            {VELMORA_INTERRUPTED_EXPORT, soffice.string(), deck.string(), (folder_ / "slide.png").string()},
            {{"TMPDIR", temp_.string()}});
        EXPECT_GT(pid, 0);
        return pid;
    }

    static int ExitStatusOf(int pid)
    {
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }

    bool TempEmpty() const { return std::filesystem::is_empty(temp_); }

    TempDir folder_;
    std::filesystem::path temp_ = folder_ / "tmp";
};

TEST_F(InterruptionTest, SignalsEndTheConverterGroupAndRemoveTemporaryFiles)
{
    const std::filesystem::path deck = folder_ / "deck.pptx";
    std::ofstream(deck) << "stands for a presentation";
    const std::filesystem::path helperPid = folder_ / "helper.pid";
    const std::filesystem::path soffice = folder_ / "fake-soffice";
    std::ofstream(soffice) << "#!/bin/sh\nsleep 120 &\necho $! > '" << helperPid.string() << "'\nwait\n";
    std::filesystem::permissions(soffice, std::filesystem::perms::owner_all);

    for (const auto& [signal, status] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}, std::pair{SIGHUP, 129}}) {
        SCOPED_TRACE(signal);
        std::filesystem::remove(helperPid);
        const int pid = Start(soffice, deck);
        ASSERT_TRUE(WaitFor([&] { return !Contents(helperPid).empty(); }, 30s));
        int helper = 0;
        std::ifstream(helperPid) >> helper;
        EXPECT_FALSE(TempEmpty());
        kill(pid, signal);
        EXPECT_EQ(ExitStatusOf(pid), status);
        EXPECT_TRUE(WaitFor([&] { return !Alive(helper); }, 5s));
        EXPECT_TRUE(TempEmpty());
        EXPECT_EQ(Contents(deck), "stands for a presentation");
        EXPECT_FALSE(std::filesystem::exists(folder_ / "slide.png"));
    }
}

TEST_F(InterruptionTest, RealLibreOfficeDoesNotCarryOnAfterAnInterruption)
{
    const std::filesystem::path deck =
        testing::WriteSampleDeck(folder_.path(), "deck", {testing::SampleSlide{{}, "中文 and Latin", false}});
    const std::string before = Contents(deck);
    const int pid = Start("soffice", deck);
    // soffice.bin runs with the profile in our temporary folder.
    ASSERT_TRUE(WaitFor([&] { return !ProcessesMentioning(temp_.string()).empty(); }, 60s));
    std::this_thread::sleep_for(300ms);
    kill(pid, SIGTERM);
    EXPECT_EQ(ExitStatusOf(pid), 143);
    EXPECT_TRUE(WaitFor([&] { return ProcessesMentioning(temp_.string()).empty(); }, 10s));
    EXPECT_TRUE(TempEmpty());
    EXPECT_EQ(Contents(deck), before);
}

}  // namespace
}  // namespace velmora::render
