#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pptx/package/ZipWriter.hpp"

namespace velmora::pptx::package {

struct DeflateJob {
    std::string_view content;
    StoredEntry* entry;
};

// Fills each job's entry with its content deflated (or stored, when deflate
// would not make it smaller), its checksum and sizes. The level packs XML
// at least as tightly as the strongest zlib level, so a changed part never
// grows for being packed anew. Much to pack is shared over the cores.
void DeflateAll(const std::vector<DeflateJob>& jobs);

// Unpacks raw deflate data into `content`, which is sized to what it must
// unpack to; false when the data is damaged or unpacks to another size.
bool InflateExactly(std::string_view packed, std::string& content);

// The zip (CRC-32) checksum of `content`.
std::uint32_t Checksum(std::string_view content);

}  // namespace velmora::pptx::package
