#pragma once

#include <map>
#include <memory>

#include <QSocketNotifier>
#include <QTimer>

#include "x11/EventLoop.hpp"

namespace velmora::studio {

// The X11 screen's loop in the studio: Qt's own, on the GUI thread.
class QtEventLoop : public x11::EventLoop {
public:
    void WatchReadable(int descriptor, std::function<void()> ready) override;
    void StopWatching() override;
    int StartTimer(int milliseconds, std::function<void()> tick) override;
    void StopTimer(int id) override;

private:
    std::unique_ptr<QSocketNotifier> notifier_;
    std::map<int, std::unique_ptr<QTimer>> timers_;
    int nextTimer_ = 1;
};

}  // namespace velmora::studio
