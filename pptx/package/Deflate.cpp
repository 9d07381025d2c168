#include "pptx/package/Deflate.hpp"

#include <memory>
#include <new>

#include <libdeflate.h>

namespace velmora::pptx::package {

namespace {

constexpr int kLevel = 7;
constexpr int kStored = 0;
constexpr int kDeflated = 8;

struct DecompressorFree {
    void operator()(libdeflate_decompressor* decompressor) const { libdeflate_free_decompressor(decompressor); }
};

}  // namespace

Deflater::Deflater() : compressor_(libdeflate_alloc_compressor(kLevel))
{
    if (!compressor_) {
        throw std::bad_alloc();
    }
}

Deflater::~Deflater() = default;

void Deflater::Free::operator()(libdeflate_compressor* compressor) const
{
    libdeflate_free_compressor(compressor);
}

void Deflater::Pack(std::string_view content, StoredEntry& entry)
{
    entry.size = content.size();
    entry.crc = Checksum(content);
    // Left uninitialised: of a buffer as large as the content, only the
    // packed bytes are ever touched and so take memory.
    const std::size_t bound = libdeflate_deflate_compress_bound(compressor_.get(), content.size());
    const std::unique_ptr<char[]> buffer(new char[bound]);
    const std::size_t packed =
        libdeflate_deflate_compress(compressor_.get(), content.data(), content.size(), buffer.get(), bound);
    if (packed == 0 || packed >= content.size()) {
        entry.method = kStored;
        entry.data.assign(content);
    } else {
        entry.method = kDeflated;
        entry.data.assign(buffer.get(), packed);
    }
    entry.storedSize = entry.data.size();
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
