#include "studio/QtEventLoop.hpp"

namespace velmora::studio {

void QtEventLoop::WatchReadable(int descriptor, std::function<void()> ready)
{
    notifier_ = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, std::move(ready));
}

void QtEventLoop::StopWatching()
{
    // Perhaps from the notifier's own signal: Qt deletes it once that is over.
    if (notifier_) {
        notifier_->setEnabled(false);
        notifier_.release()->deleteLater();
    }
}

int QtEventLoop::StartTimer(int milliseconds, std::function<void()> tick)
{
    auto timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, std::move(tick));
    timer->start(milliseconds);
    const int id = nextTimer_++;
    timers_[id] = std::move(timer);
    return id;
}

void QtEventLoop::StopTimer(int id)
{
    // A tick may stop its own timer: let Qt delete it once the tick is over.
    if (const auto found = timers_.find(id); found != timers_.end()) {
        found->second->stop();
        found->second.release()->deleteLater();
        timers_.erase(found);
    }
}

}  // namespace velmora::studio
