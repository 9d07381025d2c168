#include "pptx/shapes/PictureSize.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "host/HostError.hpp"

namespace velmora::pptx::shapes {

namespace {

using Bytes = std::vector<unsigned char>;

std::uint32_t BigEndian(const Bytes& bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        value = (value << 8) | bytes[at + i];
    }
    return value;
}

std::uint32_t LittleEndian(const Bytes& bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[at + i];
    }
    return value;
}

bool StartsWith(const Bytes& bytes, std::initializer_list<unsigned char> signature)
{
    if (bytes.size() < signature.size()) {
        return false;
    }
    return std::equal(signature.begin(), signature.end(), bytes.begin());
}

std::optional<PixelSize> Checked(std::int64_t width, std::int64_t height)
{
    if (width <= 0 || height <= 0 || width > 1000000 || height > 1000000) {
        return std::nullopt;
    }
    return PixelSize{static_cast<int>(width), static_cast<int>(height)};
}

bool IsFrameStart(unsigned char marker)
{
    // SOF0..SOF15 except DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::optional<PixelSize> JpegSize(const Bytes& bytes)
{
    std::size_t at = 2;
    while (at + 9 < bytes.size()) {
        if (bytes[at] != 0xFF) {
            return std::nullopt;
        }
        const unsigned char marker = bytes[at + 1];
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        if (IsFrameStart(marker)) {
            return Checked(BigEndian(bytes, at + 7, 2), BigEndian(bytes, at + 5, 2));
        }
        at += 2 + BigEndian(bytes, at + 2, 2);
    }
    return std::nullopt;
}

// Headers sit at the start; a JPEG's frame header may follow large metadata.
Bytes ReadHead(const std::filesystem::path& picture)
{
    constexpr std::size_t kHeadBytes = 4 << 20;
    std::ifstream in(picture, std::ios::binary);
    if (!in) {
        throw host::HostError("cannot read the picture file \"" + picture.string() + "\"");
    }
    Bytes bytes(kHeadBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

}  // namespace

std::optional<PixelSize> ReadPixelSize(const std::filesystem::path& picture)
{
    const auto bytes = ReadHead(picture);
    if (StartsWith(bytes, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}) && bytes.size() >= 24) {
        return Checked(BigEndian(bytes, 16, 4), BigEndian(bytes, 20, 4));
    }
    if (StartsWith(bytes, {0xFF, 0xD8})) {
        return JpegSize(bytes);
    }
    if (StartsWith(bytes, {'G', 'I', 'F', '8'}) && bytes.size() >= 10) {
        return Checked(LittleEndian(bytes, 6, 2), LittleEndian(bytes, 8, 2));
    }
    if (StartsWith(bytes, {'B', 'M'}) && bytes.size() >= 26) {
        // Bottom-up bitmaps store a negative height.
        const auto height = static_cast<std::int32_t>(LittleEndian(bytes, 22, 4));
        return Checked(LittleEndian(bytes, 18, 4), std::abs(static_cast<std::int64_t>(height)));
    }
    return std::nullopt;
}

}  // namespace velmora::pptx::shapes
