#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "pptx/package/ZipWriter.hpp"

struct libdeflate_compressor;

namespace velmora::pptx::package {

// One compressor, kept for many parts: its tables are made once. The level
// packs XML at least as tightly as the strongest zlib level, so a changed
// part never grows for being packed anew.
class Deflater {
public:
    Deflater();
    ~Deflater();
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    // Fills `entry` with `content` deflated (or stored, when deflate would
    // not make it smaller), its checksum and sizes.
    void Pack(std::string_view content, StoredEntry& entry);

private:
    struct Free {
        void operator()(libdeflate_compressor* compressor) const;
    };
    std::unique_ptr<libdeflate_compressor, Free> compressor_;
};

// Unpacks raw deflate data into `content`, which is sized to what it must
// unpack to; false when the data is damaged or unpacks to another size.
bool InflateExactly(std::string_view packed, std::string& content);

// The zip (CRC-32) checksum of `content`.
std::uint32_t Checksum(std::string_view content);

}  // namespace velmora::pptx::package
