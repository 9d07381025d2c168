#include "cli/PngWriter.hpp"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace velmora::cli {
namespace {

std::uint32_t Crc32(std::string_view bytes)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            entries[n] = c;
        }
        return entries;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc = table[(crc ^ static_cast<std::uint8_t>(byte)) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::string_view bytes)
{
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const char byte : bytes) {
        a = (a + static_cast<std::uint8_t>(byte)) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

void AppendBigEndian(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>(value >> shift & 0xFF);
    }
}

void AppendChunk(std::string& out, std::string_view type, std::string_view data)
{
    AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::string body(type);
    body += data;
    out += body;
    AppendBigEndian(out, Crc32(body));
}

// A zlib stream of stored deflate blocks (at most 65535 bytes each).
std::string StoredZlib(std::string_view data)
{
    std::string out = "\x78\x01";
    std::size_t at = 0;
    do {
        const auto length = static_cast<std::uint16_t>(std::min<std::size_t>(data.size() - at, 65535));
        const bool last = at + length == data.size();
        out += static_cast<char>(last ? 1 : 0);
        out += static_cast<char>(length & 0xFF);
        out += static_cast<char>(length >> 8);
        out += static_cast<char>(~length & 0xFF);
        out += static_cast<char>((~length >> 8) & 0xFF);
        out.append(data.substr(at, length));
        at += length;
    } while (at < data.size());
    AppendBigEndian(out, Adler32(data));
    return out;
}

}  // namespace

std::string EncodePng(std::uint32_t width, std::uint32_t height, std::span<const std::uint8_t> rgb)
{
    if (width == 0 || height == 0 || rgb.size() != std::size_t{width} * height * 3) {
        throw std::invalid_argument("EncodePng: the pixels do not match the size");
    }
    std::string header;
    AppendBigEndian(header, width);
    AppendBigEndian(header, height);
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter method, no interlace

    std::string rows;
    const std::size_t rowBytes = std::size_t{width} * 3;
    for (std::uint32_t y = 0; y < height; ++y) {
        rows += '\0';  // filter type none
        const auto row = rgb.subspan(y * rowBytes, rowBytes);
        rows.append(row.begin(), row.end());
    }

    std::string png = "\x89PNG\r\n\x1a\n";
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", StoredZlib(rows));
    AppendChunk(png, "IEND", "");
    return png;
}

}  // namespace velmora::cli
