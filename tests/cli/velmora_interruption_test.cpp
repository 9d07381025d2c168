#include <chrono>
#include <csignal>
#include <cstdlib>
#include <iterator>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

#include "platform/PrivateFolder.hpp"
#include "platform/RuntimeRandom.hpp"
#include "platform/TemporaryName.hpp"
#include "tests/cli/VelmoraFixture.hpp"

namespace velmora::testing {
namespace {

using namespace std::chrono_literals;

// A LibreOffice that never finishes: it leaves a helper running, as the real
// one does, and names it in helper.pid.
class InterruptionTest : public VelmoraTest {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(bin_);
        std::filesystem::create_directories(temp_);
        WriteBytes(bin_ / "soffice", "#!/bin/sh\nsleep 120 &\necho $! > '" + helperPid_.string() + "'\nwait\n");
        std::filesystem::permissions(bin_ / "soffice", std::filesystem::perms::owner_all);
    }

    pid_t StartExport(const std::filesystem::path& deck) const
    {
        const std::string path = bin_.string() + ":" + std::getenv("PATH");
        const pid_t child = ::fork();
        if (child == 0) {
            ::setenv("PATH", path.c_str(), 1);
            ::setenv("TMPDIR", temp_.c_str(), 1);
            ::setenv("XDG_CACHE_HOME", (dir_ / "cache").c_str(), 1);
            ::setenv("VELMORA_SETTINGS", (dir_ / "settings.ini").c_str(), 1);
            ::execl(VELMORA_BINARY, VELMORA_BINARY, "run", "ExportPic_main", deck.c_str(), "--no-open", "--set",
                    "OptionButton1=true", "--set", "OptionButton4=true", "--click", "Cmd_OK",
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        return child;
    }

    pid_t Helper() const
    {
        for (auto waited = 0ms; waited < 60s; waited += 50ms) {
            if (const std::string text = ReadBytes(helperPid_); !text.empty() && text.back() == '\n') {
                return static_cast<pid_t>(std::stoi(text));
            }
            std::this_thread::sleep_for(50ms);
        }
        return 0;
    }

    static bool GoneWithin(pid_t helper, std::chrono::milliseconds limit)
    {
        for (auto waited = 0ms; waited < limit; waited += 50ms) {
            if (::kill(helper, 0) != 0) {
                return true;
            }
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }

    std::filesystem::path bin_ = dir_ / "bin";
    std::filesystem::path temp_ = dir_ / "tmp";
    std::filesystem::path helperPid_ = dir_ / "helper.pid";
};

TEST_F(InterruptionTest, SignalsEndTheRunWithTheirStatusAndLeaveNothingBehind)
{
    const std::filesystem::path deck = MakeDeckWithNotes("deck.pptx", {"a"});
    const std::string before = ReadBytes(deck);
    for (const auto& [signal, status] : {std::pair{SIGTERM, 143}, std::pair{SIGINT, 130}}) {
        SCOPED_TRACE(signal);
        std::filesystem::remove(helperPid_);
        const pid_t run = StartExport(deck);
        ASSERT_GT(run, 0);
        const pid_t helper = Helper();
        ASSERT_GT(helper, 0) << "LibreOffice was not started";
        EXPECT_FALSE(std::filesystem::is_empty(temp_));
        ::kill(run, signal);
        int waited = 0;
        ASSERT_EQ(::waitpid(run, &waited, 0), run);
        ASSERT_TRUE(WIFEXITED(waited)) << "killed by signal " << WTERMSIG(waited);
        EXPECT_EQ(WEXITSTATUS(waited), status);
        EXPECT_TRUE(GoneWithin(helper, 5s));
        EXPECT_TRUE(std::filesystem::is_empty(temp_));
        EXPECT_EQ(ReadBytes(deck), before);
    }
}

// What a killed run left beside a deck and in the temporary folder goes
// with the next run of any command, even one that writes nothing; what a
// live run holds stays.
TEST_F(VelmoraTest, AnyRunRemovesWhatKilledRunsLeftAndNothingOfALiveOne)
{
    const auto deck = MakeDeck("deck.pptx");
    const auto temporary = dir_ / "temporary";
    std::filesystem::create_directory(temporary);
    platform::RuntimeRandom random;
    const platform::TemporaryName live(random, dir_.path(), 1000000, {".pptx"});
    const auto liveCopy = std::filesystem::path(live.Path()) += ".pptx";
    WriteBytes(liveCopy, "a live run's copy");
    const pid_t killed = ::fork();
    if (killed == 0) {
        ::setenv("TMPDIR", temporary.c_str(), 1);
        const platform::TemporaryName copy(random, dir_.path(), 1000000, {".pptx"});
        WriteBytes(std::filesystem::path(copy.Path()) += ".pptx", "a full copy of the deck");
        const platform::PrivateFolder pictures("velmora-pictures");
        WriteBytes(pictures.Path() / "presentation1.pptx", "another copy");
        ::raise(SIGKILL);
    }
    ::waitpid(killed, nullptr, 0);
    const auto before = std::distance(std::filesystem::directory_iterator(dir_.path()), {});

    const auto run = Velmora({"run", "RemoveAnimation_All_Main", deck.string(), "--no-save", "--no-open"},
                             {{"TMPDIR", temporary.string()}});
    EXPECT_LE(run.status, 1) << run.err;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), before - 2)
        << "the killed run's copy and its record";
    EXPECT_EQ(ReadBytes(liveCopy), "a live run's copy");
    EXPECT_TRUE(std::filesystem::is_empty(temporary));
}

}  // namespace
}  // namespace velmora::testing
