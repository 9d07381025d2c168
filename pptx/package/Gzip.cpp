#include "pptx/package/Gzip.hpp"

#include <algorithm>
#include <memory>
#include <new>

#include <libdeflate.h>

namespace velmora::pptx::package {

namespace {

constexpr std::string_view kGzipMagic = "\x1F\x8B";
constexpr int kLevel = 7;
// Where unpacking into a buffer of a guessed size starts.
constexpr std::size_t kFirstGuess = 64 << 10;

struct DecompressorFree {
    void operator()(libdeflate_decompressor* decompressor) const { libdeflate_free_decompressor(decompressor); }
};

struct CompressorFree {
    void operator()(libdeflate_compressor* compressor) const { libdeflate_free_compressor(compressor); }
};

// The first gzip member of `packed` appended to `content`, in a buffer that
// grows while it is too small and `most` allows; the bytes it took, or 0
// when it is damaged or too large.
std::size_t GunzipMember(libdeflate_decompressor* decompressor, std::string_view packed, std::size_t most,
                         std::string& content)
{
    std::size_t room = std::min(most, std::max(kFirstGuess, packed.size() * 4));
    for (;;) {
        std::string member(room, '\0');
        std::size_t used = 0;
        std::size_t made = 0;
        const libdeflate_result result = libdeflate_gzip_decompress_ex(decompressor, packed.data(), packed.size(),
                                                                       member.data(), member.size(), &used, &made);
        if (result == LIBDEFLATE_SUCCESS) {
            content.append(member, 0, made);
            return used;
        }
        if (result != LIBDEFLATE_INSUFFICIENT_SPACE || room == most) {
            return 0;
        }
        room = std::min(most, room * 2);
    }
}

}  // namespace

bool LooksGzipped(std::string_view data)
{
    return data.starts_with(kGzipMagic);
}

std::optional<std::string> Gunzip(std::string_view packed, std::size_t most)
{
    const std::unique_ptr<libdeflate_decompressor, DecompressorFree> decompressor(libdeflate_alloc_decompressor());
    if (!decompressor) {
        throw std::bad_alloc();
    }
    std::string content;
    do {
        const std::size_t used = GunzipMember(decompressor.get(), packed, most - content.size(), content);
        if (used == 0) {
            return std::nullopt;
        }
        packed.remove_prefix(used);
    } while (LooksGzipped(packed));
    return content;
}

std::string Gzip(std::string_view content)
{
    const std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(libdeflate_alloc_compressor(kLevel));
    if (!compressor) {
        throw std::bad_alloc();
    }
    std::string packed(libdeflate_gzip_compress_bound(compressor.get(), content.size()), '\0');
    packed.resize(
        libdeflate_gzip_compress(compressor.get(), content.data(), content.size(), packed.data(), packed.size()));
    return packed;
}

}  // namespace velmora::pptx::package
