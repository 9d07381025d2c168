#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <zip.h>

#include "host/HostError.hpp"

namespace velmora::pptx::package {

// Bounds on what an archive may unpack to, so a zip bomb is refused.
struct UnpackLimits {
    std::uint64_t total = std::uint64_t{1} << 30;
    std::uint64_t perEntry = std::uint64_t{512} << 20;
    // Entries above `ratioFloor` bytes may not expand more than `maxRatio` times.
    std::uint64_t ratioFloor = std::uint64_t{1} << 20;
    std::uint64_t maxRatio = 500;
};

// A zip file opened read-only: its entry table, checked against the limits
// and for unsafe names when opened, and the entries' content.
class ZipArchive {
public:
    struct Entry {
        std::string name;
        std::uint64_t size = 0;
        std::uint64_t compressedSize = 0;
        std::int32_t method = ZIP_CM_STORE;
        std::uint32_t crc = 0;
        std::time_t modified = 0;
    };

    // Raises the host error naming the file when it cannot be opened as a
    // zip archive or breaks the limits.
    static std::unique_ptr<ZipArchive> Open(const std::filesystem::path& file, const UnpackLimits& limits = {});
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    const std::filesystem::path& File() const { return file_; }
    const std::vector<Entry>& Entries() const { return entries_; }
    // The unpacked content of entry `index`; raises when it is damaged.
    std::string Read(std::size_t index) const;
    // The first `bytes` unpacked bytes of entry `index` (fewer when it is
    // shorter), to tell its format without unpacking all of it.
    std::string Head(std::size_t index, std::size_t bytes) const;
    // Copies entry `index` as it is stored, still compressed, to `destination`;
    // `size` must be its compressed size.
    void CopyStored(std::size_t index, char* destination, std::uint64_t size) const;

private:
    ZipArchive(std::filesystem::path file, std::uintmax_t size, std::unique_ptr<char[]> bytes, zip_t* archive);
    void LoadEntries(const UnpackLimits& limits);
    void ReadEntry(std::size_t index, zip_flags_t flags, char* destination, std::uint64_t size) const;
    host::HostError Damaged(const Entry& entry, const std::string& problem) const;

    std::filesystem::path file_;
    std::uintmax_t size_;
    std::unique_ptr<char[]> bytes_;  // what the archive reads from, for a deck read whole
    zip_t* archive_;
    std::vector<Entry> entries_;
};

}  // namespace velmora::pptx::package
