#include "platform/RuntimeRandom.hpp"

#include <bit>
#include <chrono>
#include <ctime>

namespace velmora::platform {

namespace {

double SecondsSinceMidnight()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto fraction = now - std::chrono::system_clock::from_time_t(seconds);
    // The runtime's timer is a single-precision float.
    return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec +
                              std::chrono::duration<double>(fraction).count());
}

}  // namespace

RuntimeRandom::RuntimeRandom(std::uint32_t seed) : seed_(seed & kMask) {}

void RuntimeRandom::Randomize()
{
    Randomize(SecondsSinceMidnight());
}

void RuntimeRandom::Randomize(double timer)
{
    const auto high = static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(timer) >> 32);
    const std::uint32_t folded = ((high & 0xFFFF) ^ (high >> 16)) << 8;
    seed_ = (seed_ & 0x0000FF) | (folded & 0xFFFF00);
}

float RuntimeRandom::Rnd()
{
    seed_ = static_cast<std::uint32_t>((std::uint64_t{seed_} * 1140671485u + 12820163u) & kMask);
    return static_cast<float>(seed_) / static_cast<float>(kMask + 1);
}

}  // namespace velmora::platform
