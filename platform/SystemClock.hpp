#pragma once

#include "host/Services.hpp"

namespace velmora::platform {

class SystemClock : public host::Clock {
public:
    std::chrono::system_clock::time_point Now() const override { return std::chrono::system_clock::now(); }
};

}  // namespace velmora::platform
