#include "impress/OfficeEventLoop.hpp"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <map>
#include <mutex>
#include <system_error>
#include <vector>

#include <com/sun/star/awt/AsyncCallback.hpp>
#include <com/sun/star/awt/XCallback.hpp>
#include <cppuhelper/implbase1.hxx>

namespace velmora::impress {

using css::uno::Reference;
using Clock = std::chrono::steady_clock;

namespace {

// The descriptor's source; timers count from 1.
constexpr int kDescriptorSource = 0;

}  // namespace

struct OfficeEventLoop::Shared {
    struct Source {
        std::function<void()> callback;
        std::chrono::milliseconds period{0};
        Clock::time_point due;
        bool posted = false;
    };

    // Held while a callback runs, so that the loop's end waits for it; the
    // callback may end the loop itself.
    std::recursive_mutex running;
    std::mutex mutex;
    std::map<int, Source> sources;
    int descriptor = -1;
    int nextTimer = 1;
    bool stopping = false;
    bool gone = false;
    // The watcher is handing callbacks over, which waits while the main thread is busy.
    bool posting = false;
    int wake = -1;
    Reference<css::awt::XRequestCallback> post;

    ~Shared()
    {
        if (wake >= 0) {
            ::close(wake);
        }
    }

    void Wake() const
    {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(wake, &one, sizeof one);
    }

    // On the main thread: runs the source's callback unless it or the loop is gone.
    void Deliver(int id)
    {
        const std::lock_guard busy(running);
        std::function<void()> callback;
        {
            const std::lock_guard lock(mutex);
            const auto source = sources.find(id);
            if (gone || source == sources.end()) {
                return;
            }
            // A copy: the tick may stop its own timer.
            callback = source->second.callback;
        }
        // The forms report their own errors. Whatever else goes wrong, the
        // source must be posted again, or the picker would stop for good.
        try {
            callback();
        } catch (const std::exception&) {
        } catch (const css::uno::Exception&) {
        }
        const std::lock_guard lock(mutex);
        if (const auto source = sources.find(id); !gone && source != sources.end()) {
            source->second.posted = false;
            Wake();
        }
    }
};

namespace {

class Delivery : public cppu::WeakImplHelper1<css::awt::XCallback> {
public:
    explicit Delivery(std::shared_ptr<OfficeEventLoop::Shared> shared) : shared_(std::move(shared)) {}

    void SAL_CALL notify(const css::uno::Any& data) override
    {
        sal_Int32 id = 0;
        data >>= id;
        shared_->Deliver(id);
    }

private:
    std::shared_ptr<OfficeEventLoop::Shared> shared_;
};

// How long the watcher may sleep: until the first timer not posted falls due.
int PollTimeout(const OfficeEventLoop::Shared& shared, Clock::time_point now)
{
    int timeout = -1;
    for (const auto& [id, source] : shared.sources) {
        if (id == kDescriptorSource || source.posted) {
            continue;
        }
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(source.due - now).count();
        const int milliseconds = wait < 0 ? 0 : static_cast<int>(wait);
        timeout = timeout < 0 ? milliseconds : std::min(timeout, milliseconds);
    }
    return timeout;
}

}  // namespace

OfficeEventLoop::OfficeEventLoop(const Reference<css::uno::XComponentContext>& office)
    : shared_(std::make_shared<Shared>())
{
    shared_->post = css::awt::AsyncCallback::create(office);
    shared_->wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (shared_->wake < 0) {
        throw std::system_error(errno, std::generic_category(), "eventfd");
    }
    watcher_ = std::thread([shared = shared_] { Watch(shared); });
}

// A watcher waiting to hand a callback to a main thread that is ending the
// loop would wait forever: it is left to finish on its own, and posts nothing more.
OfficeEventLoop::~OfficeEventLoop()
{
    bool posting = false;
    {
        const std::lock_guard busy(shared_->running);
        const std::lock_guard lock(shared_->mutex);
        shared_->gone = true;
        shared_->stopping = true;
        posting = shared_->posting;
        shared_->Wake();
    }
    if (posting) {
        watcher_.detach();
    } else {
        watcher_.join();
    }
}

void OfficeEventLoop::WatchReadable(int descriptor, std::function<void()> ready)
{
    const std::lock_guard lock(shared_->mutex);
    shared_->descriptor = descriptor;
    shared_->sources[kDescriptorSource] = {std::move(ready), {}, {}, false};
    shared_->Wake();
}

void OfficeEventLoop::StopWatching()
{
    const std::lock_guard lock(shared_->mutex);
    shared_->sources.erase(kDescriptorSource);
    shared_->descriptor = -1;
    shared_->Wake();
}

int OfficeEventLoop::StartTimer(int milliseconds, std::function<void()> tick)
{
    const std::lock_guard lock(shared_->mutex);
    const int id = shared_->nextTimer++;
    const std::chrono::milliseconds period(milliseconds);
    shared_->sources[id] = {std::move(tick), period, Clock::now() + period, false};
    shared_->Wake();
    return id;
}

void OfficeEventLoop::StopTimer(int id)
{
    const std::lock_guard lock(shared_->mutex);
    shared_->sources.erase(id);
}

void OfficeEventLoop::Watch(const std::shared_ptr<Shared>& shared)
{
    const Reference<css::awt::XCallback> delivery(new Delivery(shared));
    std::unique_lock lock(shared->mutex);
    while (!shared->stopping) {
        const auto descriptor = shared->sources.find(kDescriptorSource);
        const bool watchDescriptor = descriptor != shared->sources.end() && !descriptor->second.posted;
        pollfd waits[2] = {{shared->wake, POLLIN, 0}, {shared->descriptor, POLLIN, 0}};
        const int timeout = PollTimeout(*shared, Clock::now());
        lock.unlock();
        ::poll(waits, watchDescriptor ? 2 : 1, timeout);
        std::uint64_t wakes = 0;
        [[maybe_unused]] const ssize_t read = ::read(shared->wake, &wakes, sizeof wakes);
        lock.lock();

        std::vector<sal_Int32> due;
        const Clock::time_point now = Clock::now();
        for (auto& [id, source] : shared->sources) {
            const bool ready = id == kDescriptorSource ? watchDescriptor && waits[1].revents != 0
                                                       : !source.posted && source.due <= now;
            if (ready && !shared->stopping) {
                source.posted = true;
                source.due = now + source.period;
                due.push_back(id);
            }
        }
        shared->posting = !due.empty();
        lock.unlock();
        for (const sal_Int32 id : due) {
            try {
                shared->post->addCallback(delivery, css::uno::Any(id));
            } catch (const css::uno::Exception&) {
                // The office is shutting down: the source stays posted and quiet.
            }
        }
        lock.lock();
        shared->posting = false;
    }
}

}  // namespace velmora::impress
