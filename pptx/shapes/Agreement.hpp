#pragma once

#include <string>

#include "host/HostError.hpp"

namespace velmora::pptx::shapes {

// The value every item reads alike, or the mixed value when they differ.
template <typename T, typename Items, typename Read>
T Agreed(const Items& items, Read read, T mixed)
{
    auto item = std::begin(items);
    if (item == std::end(items)) {
        throw host::HostError("there is nothing to read this from");
    }
    T first = read(*item);
    for (++item; item != std::end(items); ++item) {
        if (!(read(*item) == first)) {
            return mixed;
        }
    }
    return first;
}

}  // namespace velmora::pptx::shapes
