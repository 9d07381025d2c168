#include "pptx/package/Deflate.hpp"

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>
#include <new>
#include <thread>

#include <libdeflate.h>

namespace velmora::pptx::package {

namespace {

constexpr int kLevel = 7;
constexpr int kStored = 0;
constexpr int kDeflated = 8;
// Below this many bytes in all, starting threads costs more than it saves.
constexpr std::size_t kBytesPerThread = std::size_t{256} << 10;

struct DecompressorFree {
    void operator()(libdeflate_decompressor* decompressor) const { libdeflate_free_decompressor(decompressor); }
};

struct CompressorFree {
    void operator()(libdeflate_compressor* compressor) const { libdeflate_free_compressor(compressor); }
};
using Compressor = std::unique_ptr<libdeflate_compressor, CompressorFree>;

Compressor NewCompressor()
{
    Compressor compressor(libdeflate_alloc_compressor(kLevel));
    if (!compressor) {
        throw std::bad_alloc();
    }
    return compressor;
}

void Pack(libdeflate_compressor* compressor, const DeflateJob& job)
{
    StoredEntry& entry = *job.entry;
    entry.size = job.content.size();
    entry.crc = Checksum(job.content);
    entry.data.resize(libdeflate_deflate_compress_bound(compressor, job.content.size()));
    const std::size_t packed = libdeflate_deflate_compress(compressor, job.content.data(), job.content.size(),
                                                           entry.data.data(), entry.data.size());
    if (packed == 0 || packed >= job.content.size()) {
        entry.method = kStored;
        entry.data.assign(job.content);
    } else {
        entry.method = kDeflated;
        entry.data.resize(packed);
        entry.data.shrink_to_fit();
    }
    entry.storedSize = entry.data.size();
}

// Takes jobs in turn until none is left; each worker keeps one compressor.
void Work(const std::vector<DeflateJob>& jobs, std::atomic<std::size_t>& next)
{
    const Compressor compressor = NewCompressor();
    for (std::size_t i = next++; i < jobs.size(); i = next++) {
        Pack(compressor.get(), jobs[i]);
    }
}

std::size_t WorkerCount(const std::vector<DeflateJob>& jobs)
{
    std::size_t bytes = 0;
    for (const DeflateJob& job : jobs) {
        bytes += job.content.size();
    }
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::clamp<std::size_t>(bytes / kBytesPerThread, 1, std::min(cores, jobs.size()));
}

}  // namespace

void DeflateAll(const std::vector<DeflateJob>& jobs)
{
    if (jobs.empty()) {
        return;
    }
    std::atomic<std::size_t> next{0};
    const std::size_t helpers = WorkerCount(jobs) - 1;
    std::vector<std::exception_ptr> failures(helpers);
    std::vector<std::thread> threads;
    threads.reserve(helpers);
    for (std::size_t i = 0; i < helpers; ++i) {
        threads.emplace_back([&jobs, &next, &failure = failures[i]] {
            try {
                Work(jobs, next);
            } catch (...) {
                failure = std::current_exception();
            }
        });
    }
    std::exception_ptr own;
    try {
        Work(jobs, next);
    } catch (...) {
        own = std::current_exception();
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
    if (own) {
        std::rethrow_exception(own);
    }
}

bool InflateExactly(std::string_view packed, std::string& content)
{
    // One per thread: a deck's parts are unpacked one after another.
    thread_local const std::unique_ptr<libdeflate_decompressor, DecompressorFree> decompressor(
        libdeflate_alloc_decompressor());
    if (!decompressor) {
        throw std::bad_alloc();
    }
    return libdeflate_deflate_decompress(decompressor.get(), packed.data(), packed.size(), content.data(),
                                         content.size(), nullptr) == LIBDEFLATE_SUCCESS;
}

std::uint32_t Checksum(std::string_view content)
{
    return libdeflate_crc32(0, content.data(), content.size());
}

}  // namespace velmora::pptx::package
