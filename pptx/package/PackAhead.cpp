#include "pptx/package/PackAhead.hpp"

#include <algorithm>
#include <stdexcept>
#include <system_error>

namespace velmora::pptx::package {

PackAhead::~PackAhead()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable()) {
        worker_.join();
    }
}

void PackAhead::Submit(std::shared_ptr<const std::string> content)
{
    {
        std::lock_guard lock(mutex_);
        if (jobs_.size() >= pruneAt_) {
            DropSuperseded();
            pruneAt_ = 2 * jobs_.size() + kFirstPrune;
        }
        waitingBytes_ += content->size();
        auto job = std::make_unique<Job>();
        job->content = std::move(content);
        byContent_[job->content.get()] = job.get();
        jobs_.push_back(std::move(job));
        if (waitingBytes_ < kBatchBytes) {
            return;
        }
    }
    StartWorker();
    changed_.notify_all();
}

void PackAhead::StartWorker()
{
    if (workerTried_) {
        return;
    }
    workerTried_ = true;
    if (std::thread::hardware_concurrency() < 2) {
        return;
    }
    try {
        worker_ = std::thread([this] { Work(); });
    } catch (const std::system_error&) {
        // Without a second thread, Finish packs everything itself.
    }
}

void PackAhead::Work()
{
    std::optional<Deflater> deflater;
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        PackWaiting(lock, deflater);
        changed_.wait(lock, [this] {
            return stopping_ || waitingBytes_ >= kBatchBytes || (finishing_ && next_ < jobs_.size());
        });
    }
}

void PackAhead::PackWaiting(std::unique_lock<std::mutex>& lock, std::optional<Deflater>& deflater)
{
    while (next_ < jobs_.size() && !stopping_) {
        Job& job = *jobs_[next_++];
        waitingBytes_ -= job.content->size();
        ++busy_;
        lock.unlock();
        try {
            if (!deflater) {
                deflater.emplace();
            }
            deflater->Pack(*job.content, job.packed);
        } catch (...) {
            job.failure = std::current_exception();
        }
        lock.lock();
        job.done = true;
        --busy_;
        changed_.notify_all();
    }
}

void PackAhead::Finish()
{
    std::unique_lock lock(mutex_);
    if (worker_.joinable() && waitingBytes_ < kBatchBytes) {
        // The worker has its compressor at hand: what is left of a batch is
        // packed sooner there than by making a second one here.
        finishing_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return next_ == jobs_.size() && busy_ == 0; });
        finishing_ = false;
    } else {
        std::optional<Deflater> deflater;
        PackWaiting(lock, deflater);
        changed_.wait(lock, [this] { return busy_ == 0; });
    }
    DropSuperseded();
}

const StoredEntry& PackAhead::Packed(const std::string& content) const
{
    const auto found = byContent_.find(&content);
    if (found == byContent_.end() || !found->second->done) {
        throw std::logic_error("content asked for was never submitted to be packed");
    }
    if (found->second->failure) {
        std::rethrow_exception(found->second->failure);
    }
    return found->second->packed;
}

void PackAhead::DropSuperseded()
{
    // Only the job still holds such content: whoever wrote it has replaced or removed it.
    const auto superseded = [](const std::unique_ptr<Job>& job) {
        return job->done && job->content.use_count() == 1;
    };
    const auto taken = jobs_.begin() + static_cast<std::ptrdiff_t>(next_);
    const auto kept = std::partition(jobs_.begin(), taken, [&](const auto& job) { return !superseded(job); });
    for (auto job = kept; job != taken; ++job) {
        byContent_.erase((*job)->content.get());
    }
    next_ -= static_cast<std::size_t>(taken - kept);
    jobs_.erase(kept, taken);
}

}  // namespace velmora::pptx::package
