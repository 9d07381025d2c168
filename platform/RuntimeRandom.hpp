#pragma once

#include <cstdint>

#include "host/Services.hpp"

namespace velmora::platform {

// The runtime's own generator, so that seeded sequences match it: a 24-bit
// linear congruential generator, x = (x * 1140671485 + 12820163) mod 2^24,
// Rnd = x / 2^24, starting from 327680.
class RuntimeRandom : public host::Random {
public:
    static constexpr std::uint32_t kInitialSeed = 327680;

    explicit RuntimeRandom(std::uint32_t seed = kInitialSeed);

    // Seeds from the seconds since local midnight, as the runtime does.
    void Randomize() override;
    // Mixes timer into the middle two bytes of the seed: the high word of
    // its double bits, folded to 16 bits.
    void Randomize(double timer);
    float Rnd() override;

    void SetSeed(std::uint32_t seed) { seed_ = seed & kMask; }
    std::uint32_t Seed() const { return seed_; }

private:
    static constexpr std::uint32_t kMask = 0xFFFFFF;

    std::uint32_t seed_;
};

}  // namespace velmora::platform
