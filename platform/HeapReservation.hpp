#pragma once

#include <cstddef>

namespace velmora::platform {

// Grows the heap once by `bytes`, backed by huge pages where the system
// allows them, so that a job that fills it does not fault page by page.
void ReserveHeap(std::size_t bytes);

}  // namespace velmora::platform
