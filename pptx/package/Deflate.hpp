#pragma once

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

}  // namespace velmora::pptx::package
