#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/PngWriter.hpp"

namespace velmora::cli {
namespace {

std::uint32_t BigEndian(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    }
    return value;
}

struct Chunk {
    std::string type;
    std::string data;
    std::uint32_t crc;
};

std::vector<Chunk> Chunks(const std::string& png)
{
    std::vector<Chunk> chunks;
    std::size_t at = 8;
    while (at + 12 <= png.size()) {
        const std::uint32_t length = BigEndian(png, at);
        chunks.push_back({png.substr(at + 4, 4), png.substr(at + 8, length), BigEndian(png, at + 8 + length)});
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    return chunks;
}

// The data of a zlib stream made of stored blocks, checking each block's
// length and its complement.
std::string StoredData(const std::string& zlib)
{
    EXPECT_EQ(zlib.substr(0, 2), "\x78\x01");
    std::string data;
    std::size_t at = 2;
    bool last = false;
    while (!last) {
        last = (zlib[at] & 1) != 0;
        EXPECT_EQ(zlib[at] & 6, 0) << "stored block";
        const auto length = static_cast<std::uint16_t>(static_cast<std::uint8_t>(zlib[at + 1]) |
                                                        static_cast<std::uint8_t>(zlib[at + 2]) << 8);
        const auto complement = static_cast<std::uint16_t>(static_cast<std::uint8_t>(zlib[at + 3]) |
                                                            static_cast<std::uint8_t>(zlib[at + 4]) << 8);
        EXPECT_EQ(static_cast<std::uint16_t>(~length), complement);
        data += zlib.substr(at + 5, length);
        at += 5 + length;
    }
    EXPECT_EQ(at + 4, zlib.size()) << "only the Adler-32 follows";
    return data;
}

TEST(PngWriterTest, OnePixelMatchesTheKnownEncoding)
{
    const std::vector<std::uint8_t> black(3, 0);
    const std::string png = EncodePng(1, 1, black);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    const std::vector<Chunk> chunks = Chunks(png);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[0].data, std::string("\0\0\0\1\0\0\0\1\x08\x02\0\0\0", 13));
    EXPECT_EQ(chunks[0].crc, 0x907753DEu);
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(StoredData(chunks[1].data), std::string(4, '\0'));
    EXPECT_EQ(BigEndian(chunks[1].data, chunks[1].data.size() - 4), 0x00040001u) << "Adler-32 of four zeros";
    EXPECT_EQ(chunks[2].type, "IEND");
    EXPECT_EQ(chunks[2].crc, 0xAE426082u);
}

TEST(PngWriterTest, LargeImagesSpanSeveralBlocksWithFilteredRows)
{
    const std::uint32_t width = 200;
    const std::uint32_t height = 150;
    std::vector<std::uint8_t> rgb(std::size_t{width} * height * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        rgb[i] = static_cast<std::uint8_t>(i * 7);
    }
    const std::vector<Chunk> chunks = Chunks(EncodePng(width, height, rgb));
    ASSERT_EQ(chunks.size(), 3u);
    const std::string data = StoredData(chunks[1].data);
    ASSERT_EQ(data.size(), (width * 3 + 1) * height);
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::size_t row = y * (width * 3 + 1);
        ASSERT_EQ(data[row], '\0');
        ASSERT_EQ(data.substr(row + 1, width * 3),
                  std::string(rgb.begin() + y * width * 3, rgb.begin() + (y + 1) * width * 3));
    }
}

TEST(PngWriterTest, RefusesPixelsThatDoNotMatchTheSize)
{
    const std::vector<std::uint8_t> rgb(11);
    EXPECT_THROW(EncodePng(2, 2, rgb), std::invalid_argument);
    EXPECT_THROW(EncodePng(0, 0, {}), std::invalid_argument);
}

}  // namespace
}  // namespace velmora::cli
