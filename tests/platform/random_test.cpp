#include <gtest/gtest.h>

#include "platform/RuntimeRandom.hpp"
#include "platform/SystemClock.hpp"
#include "platform/UserName.hpp"

namespace velmora::platform {
namespace {

TEST(RuntimeRandom, StartsWithTheRuntimeSequence)
{
    RuntimeRandom random;
    for (const float expected : {0.7055475f, 0.5334240f, 0.5795186f, 0.2895625f, 0.3019480f}) {
        EXPECT_FLOAT_EQ(random.Rnd(), expected);
    }
}

TEST(RuntimeRandom, SameSeedSameSequence)
{
    RuntimeRandom a(12345);
    RuntimeRandom b;
    b.SetSeed(12345);
    for (int i = 0; i < 100; ++i) {
        const float value = a.Rnd();
        EXPECT_EQ(value, b.Rnd());
        EXPECT_GE(value, 0.0f);
        EXPECT_LT(value, 1.0f);
    }
}

TEST(RuntimeRandom, RandomizeMixesTheTimerIntoTheMiddleBytes)
{
    RuntimeRandom random;
    random.Randomize(45296.5);  // 12:34:56.5
    // High word 0x40E61E10 folds to 0x5EF6; the seed's low byte stays.
    EXPECT_EQ(random.Seed(), 0x5EF600u);
    EXPECT_FLOAT_EQ(random.Rnd(), 0.99506778f);

    random.SetSeed(0x1234AB);
    random.Randomize(45296.5);
    EXPECT_EQ(random.Seed(), 0x5EF6ABu);
}

TEST(RuntimeRandom, RandomizeFromTheClockKeepsTheLowByte)
{
    RuntimeRandom random;
    random.Randomize();
    EXPECT_LE(random.Seed(), 0xFFFFFFu);
    EXPECT_EQ(random.Seed() & 0xFF, RuntimeRandom::kInitialSeed & 0xFF);
}

TEST(Platform, ClockAndUserName)
{
    const auto before = std::chrono::system_clock::now();
    const auto now = SystemClock().Now();
    EXPECT_GE(now, before);
    EXPECT_FALSE(UserName().empty());
}

}  // namespace
}  // namespace velmora::platform
