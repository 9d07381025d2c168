// The clean-up an interrupted run does, called directly.
#include "platform/Interruption.hpp"

#include <atomic>
#include <fstream>

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include "platform/AtomicFile.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::platform {
namespace {

using velmora::testing::TempDir;

TEST(Interruption, RemovesRegisteredTreesWithoutFollowingLinksAndSparesForgottenOnes)
{
    const TempDir folder;
    const std::filesystem::path tree = folder / "velmora-render-x";
    std::filesystem::path deep = tree;
    for (int level = 0; level < 12; ++level) {
        deep /= "level" + std::to_string(level);
    }
    std::filesystem::create_directories(deep);
    // More entries than one directory read returns.
    for (int i = 0; i < 400; ++i) {
        std::ofstream(tree / ("picture-with-a-longish-name-" + std::to_string(i) + ".png")) << i;
    }
    const std::filesystem::path outside = folder / "user-files";
    std::filesystem::create_directory(outside);
    std::ofstream(outside / "deck.pptx") << "keep";
    std::filesystem::create_directory_symlink(outside, deep / "link");
    const std::filesystem::path forgotten = folder / "forgotten";
    std::filesystem::create_directory(forgotten);

    RegisterTemporaryPath(tree);
    RegisterTemporaryPath(forgotten);
    ForgetTemporaryPath(forgotten);
    CleanUpAfterInterruption();
    ForgetTemporaryPath(tree);

    EXPECT_FALSE(std::filesystem::exists(tree));
    EXPECT_TRUE(std::filesystem::exists(outside / "deck.pptx"));
    EXPECT_TRUE(std::filesystem::exists(forgotten));
}

TEST(Interruption, KillsRegisteredProcessGroups)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setpgid(0, 0);
        pause();
        _exit(0);
    }
    setpgid(child, child);
    RegisterProcessGroup(child);
    CleanUpAfterInterruption();
    ForgetProcessGroup(child);
    // The clean-up reaps the child it killed.
    EXPECT_EQ(kill(child, 0), -1);
}

// The picture's temporary name stays registered until its rename: an
// interruption while the encoder writes it removes it.
TEST(Interruption, AProducedFileIsCleanedUpUntilItIsInPlace)
{
    const TempDir folder;
    std::filesystem::path temporary;
    ProduceFileAtomically(folder / "slide.png", [&](const std::filesystem::path& name) {
        temporary = name;
        std::ofstream(name) << "picture";
        CleanUpAfterInterruption();
        EXPECT_FALSE(std::filesystem::exists(name));
        std::ofstream(name) << "picture";
    });
    EXPECT_FALSE(std::filesystem::exists(temporary));
    ASSERT_TRUE(std::filesystem::exists(folder / "slide.png"));
    CleanUpAfterInterruption();
    EXPECT_TRUE(std::filesystem::exists(folder / "slide.png"));
}

std::atomic<int> hangups{0};

TEST(Interruption, SignalsWaitWhileHeld)
{
    struct sigaction count {};
    struct sigaction before {};
    count.sa_handler = [](int) { ++hangups; };
    ASSERT_EQ(sigaction(SIGHUP, &count, &before), 0);
    {
        const InterruptionsHeld held;
        raise(SIGHUP);
        EXPECT_EQ(hangups.load(), 0);
    }
    EXPECT_EQ(hangups.load(), 1);
    sigaction(SIGHUP, &before, nullptr);
}

}  // namespace
}  // namespace velmora::platform
