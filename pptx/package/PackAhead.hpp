#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "pptx/package/Deflate.hpp"
#include "pptx/package/ZipWriter.hpp"

namespace velmora::pptx::package {

// Deflates the parts a caller changes on a second core while the caller goes
// on with its work, so that a save finds most of its packing done. Content
// is shared, never copied: a part written again is a new submission, and the
// packing of a version nobody holds any more is dropped.
class PackAhead {
public:
    PackAhead() = default;
    ~PackAhead();
    PackAhead(const PackAhead&) = delete;
    PackAhead& operator=(const PackAhead&) = delete;

    void Submit(std::shared_ptr<const std::string> content);
    // Returns when everything submitted is packed: what is still waiting is
    // left to the worker, or packed here as well when there is much of it.
    void Finish();
    // The packing of submitted `content` (after Finish): data, checksum, sizes.
    const StoredEntry& Packed(const std::string& content) const;

private:
    static constexpr std::size_t kFirstPrune = 64;
    // Waking the worker for each small part would cost more than packing it.
    static constexpr std::size_t kBatchBytes = 16 << 10;

    struct Job {
        std::shared_ptr<const std::string> content;
        StoredEntry packed;
        std::exception_ptr failure;
        bool done = false;
    };

    void StartWorker();
    void Work();
    // Packs jobs while some wait; `lock` is held between jobs.
    void PackWaiting(std::unique_lock<std::mutex>& lock, std::optional<Deflater>& deflater);
    void DropSuperseded();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::unique_ptr<Job>> jobs_;  // those before next_ are taken
    std::size_t next_ = 0;
    std::size_t busy_ = 0;  // jobs taken and not done
    std::size_t waitingBytes_ = 0;
    std::size_t pruneAt_ = kFirstPrune;
    bool finishing_ = false;
    bool stopping_ = false;
    std::unordered_map<const std::string*, Job*> byContent_;
    bool workerTried_ = false;
    std::thread worker_;
};

}  // namespace velmora::pptx::package
