#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>
#include <vector>

#include "platform/HeapReservation.hpp"

namespace velmora::platform {
namespace {

// A job's many small blocks then come from the reserved heap: the program
// break stays where the reservation left it.
TEST(HeapReservation, SmallBlocksOfAJobFitWithoutGrowingTheHeap)
{
    ReserveHeap(8 << 20);
    const void* reserved = sbrk(0);
    std::vector<std::unique_ptr<char[]>> blocks;
    for (int i = 0; i < 6000; ++i) {
        blocks.push_back(std::make_unique<char[]>(1000));
        blocks.back()[999] = 1;
    }
    EXPECT_EQ(sbrk(0), reserved);
}

}  // namespace
}  // namespace velmora::platform
