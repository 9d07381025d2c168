#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velmora::pptx::package {

// One entry of a zip file being written: its data as it will be stored,
// either at hand or copied from a source archive while the file is assembled.
struct StoredEntry {
    std::string name;
    std::int32_t method = 0;
    std::uint32_t crc = 0;
    std::uint64_t size = 0;
    std::uint64_t storedSize = 0;
    std::time_t modified = 0;
    std::string data;
    // The index in the source archive to copy `storedSize` bytes from, when `data` is not at hand.
    std::optional<std::size_t> sourceIndex;
};

// Copies `size` stored bytes of source entry `index` to `destination`.
using StoredReader = std::function<void(std::size_t index, char* destination, std::uint64_t size)>;

// The whole zip file, sized once: each entry's local header and data in
// order, then the central directory. Raises the host error when the
// entries do not fit the plain zip format's counts and sizes.
std::string AssembleZip(const std::vector<StoredEntry>& entries, const StoredReader& copySource);

}  // namespace velmora::pptx::package
