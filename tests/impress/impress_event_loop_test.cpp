// The X11 screen's event loop over the office's main thread, run from this
// process against the headless soffice: its callbacks come back through the
// office's AsyncCallback as they do inside it.
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "impress/OfficeEventLoop.hpp"
#include "tests/impress/OfficeFixture.hpp"

namespace velmora::testing {
namespace {

using namespace std::chrono_literals;

template <typename Condition>
bool Eventually(Condition condition)
{
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

class OfficeEventLoopTest : public ::testing::Test {
protected:
    OfficeEventLoopTest() : loop_(std::make_unique<impress::OfficeEventLoop>(Office::Get().context())) {}

    std::unique_ptr<impress::OfficeEventLoop> loop_;
};

TEST_F(OfficeEventLoopTest, ASlowTickHoldsTheNextBackAndATickMayStopItsOwnTimer)
{
    std::vector<std::chrono::steady_clock::time_point> starts;
    std::atomic<int> ticks = 0;
    int id = 0;
    id = loop_->StartTimer(10, [&] {
        starts.push_back(std::chrono::steady_clock::now());
        // Ten periods long: ticks due meanwhile must not pile up behind it.
        if (starts.size() == 1) {
            std::this_thread::sleep_for(100ms);
        }
        if (++ticks == 3) {
            loop_->StopTimer(id);
        }
    });
    ASSERT_TRUE(Eventually([&] { return ticks == 3; }));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(ticks, 3);
    EXPECT_GE(starts[2] - starts[1], 5ms) << "the third tick came straight after the second";
}

TEST_F(OfficeEventLoopTest, ATickThatFailsIsCalledAgain)
{
    std::atomic<int> ticks = 0;
    loop_->StartTimer(5, [&] {
        if (++ticks == 1) {
            throw std::runtime_error("the first tick fails");
        }
    });
    EXPECT_TRUE(Eventually([&] { return ticks >= 3; }));
}

TEST_F(OfficeEventLoopTest, InputOnTheDescriptorIsHandedOverOnceUntilTheHandlerRanAndUntilTheWatchEnds)
{
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    std::atomic<int> calls = 0;
    loop_->WatchReadable(ends[0], [&] {
        ++calls;
        // Read only after a while: the descriptor stays readable meanwhile.
        std::this_thread::sleep_for(50ms);
        char byte = 0;
        EXPECT_EQ(::read(ends[0], &byte, 1), 1);
    });
    ASSERT_EQ(::write(ends[1], "x", 1), 1);
    ASSERT_TRUE(Eventually([&] { return calls == 1; }));
    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(calls, 1);
    ASSERT_EQ(::write(ends[1], "y", 1), 1);
    EXPECT_TRUE(Eventually([&] { return calls == 2; }));
    loop_->StopWatching();
    ASSERT_EQ(::write(ends[1], "z", 1), 1);
    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(calls, 2) << "the descriptor was still watched";
    loop_.reset();
    ::close(ends[0]);
    ::close(ends[1]);
}

TEST_F(OfficeEventLoopTest, NoCallbackRunsOnceTheLoopIsGone)
{
    std::atomic<int> ticks = 0;
    loop_->StartTimer(1, [&] { ++ticks; });
    ASSERT_TRUE(Eventually([&] { return ticks > 0; }));
    loop_.reset();
    const int atEnd = ticks;
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(ticks, atEnd);
}

}  // namespace
}  // namespace velmora::testing
