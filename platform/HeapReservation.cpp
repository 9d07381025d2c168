#include "platform/HeapReservation.hpp"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace velmora::platform {

namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
// Under the allocator's mmap threshold, so that it comes from the heap.
constexpr std::size_t kProbeBlock = 64 << 10;

std::uintptr_t ProgramBreak()
{
    return reinterpret_cast<std::uintptr_t>(sbrk(0));
}

// Takes blocks until the allocator has to grow the heap, then gives them back.
void GrowHeapOnce()
{
    const auto before = ProgramBreak();
    std::vector<void*> blocks;
    blocks.reserve(8);
    while (ProgramBreak() == before && blocks.size() < blocks.capacity()) {
        blocks.push_back(std::malloc(kProbeBlock));
    }
    for (void* block : blocks) {
        std::free(block);
    }
}

}  // namespace

void ReserveHeap(std::size_t bytes)
{
    mallopt(M_TOP_PAD, static_cast<int>(bytes));
    const auto before = ProgramBreak();
    GrowHeapOnce();
    const auto after = ProgramBreak();
    const auto from = (before + kHugePage - 1) & ~(kHugePage - 1);
    const auto to = after & ~(kHugePage - 1);
    if (to > from) {
        madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
    }
}

}  // namespace velmora::platform
