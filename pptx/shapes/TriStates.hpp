#pragma once

#include <string>

#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"

namespace velmora::pptx::shapes {

inline int ToTriState(bool value)
{
    return value ? host::TriState::True : host::TriState::False;
}

// True (-1, or 1 as some callers write it) or false; anything else is refused.
inline bool FromTriState(int value)
{
    if (value == host::TriState::True || value == 1) return true;
    if (value == host::TriState::False) return false;
    throw host::HostError("the value " + std::to_string(value) + " is neither true nor false");
}

}  // namespace velmora::pptx::shapes
