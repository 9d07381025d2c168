#include <chrono>
#include <fstream>
#include <future>
#include <memory>
#include <system_error>
#include <thread>

#include <gtest/gtest.h>

#include "platform/EditLock.hpp"
#include "platform/FileInUse.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::platform {
namespace {

using namespace std::chrono_literals;

TEST(EditLock, ASecondHolderWaitsABoundedTimeAndTheHolderIsNotInUseForItself)
{
    testing::TempDir dir;
    const auto deck = dir / "deck.pptx";
    std::ofstream(deck) << "deck";
    {
        const EditLock first(deck, 0ms);
        EXPECT_FALSE(InUseBy(deck));
        const auto started = std::chrono::steady_clock::now();
        try {
            const EditLock second(deck, 200ms);
            ADD_FAILURE() << "a second lock was granted";
        } catch (const std::system_error& busy) {
            EXPECT_NE(std::string(busy.what()).find(deck.string()), std::string::npos) << busy.what();
        }
        EXPECT_GE(std::chrono::steady_clock::now() - started, 200ms);
    }
    EXPECT_NO_THROW(EditLock(deck, 0ms));
    // Missing files are no one's to lock; reading them fails later with its own words.
    EXPECT_NO_THROW(EditLock(dir / "missing.pptx", 0ms));
}

// The first holder saves by renaming a new file over the name: the waiter
// must end up holding that new file, or a third run could take it too.
TEST(EditLock, AWaiterLocksTheFileThatReplacedTheOneItWaitedFor)
{
    testing::TempDir dir;
    const auto deck = dir / "deck.pptx";
    std::ofstream(deck) << "old";
    auto first = std::make_unique<EditLock>(deck, 0ms);
    auto waiter = std::async(std::launch::async, [&] { return std::make_unique<EditLock>(deck, 5000ms); });
    std::this_thread::sleep_for(100ms);
    std::ofstream(dir / "new.pptx") << "new";
    std::filesystem::rename(dir / "new.pptx", deck);
    first.reset();
    const auto second = waiter.get();
    EXPECT_THROW(EditLock(deck, 0ms), std::system_error);
}

}  // namespace
}  // namespace velmora::platform
