#pragma once

#include <functional>

namespace velmora::x11 {

// The host's event loop as the X11 screen needs it: input on its display
// connection and repeating timers, each callback run on the loop's thread,
// where the forms live.
class EventLoop {
public:
    virtual ~EventLoop() = default;

    // Calls `ready` whenever the descriptor has something to read; one
    // descriptor at a time.
    virtual void WatchReadable(int descriptor, std::function<void()> ready) = 0;
    // Also from `ready` itself; it is not called again.
    virtual void StopWatching() = 0;

    // Calls `tick` every `milliseconds`; returns the timer's id.
    virtual int StartTimer(int milliseconds, std::function<void()> tick) = 0;
    // Also from the timer's own tick; the tick is not called again.
    virtual void StopTimer(int id) = 0;
};

}  // namespace velmora::x11
