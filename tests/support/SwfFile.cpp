#include "tests/support/SwfFile.hpp"

#include <cstdint>
#include <fstream>

namespace velmora::testing {

std::string MinimalSwf(std::size_t padding)
{
    // Stage rectangle with 0-bit fields: one byte. Padding goes in as a
    // tag of an unknown code (511) so the movie stays well-formed.
    std::string body("\x00\x00\x18\x01\x00", 5);
    if (padding > 0) {
        const auto header = static_cast<std::uint16_t>((511u << 6) | 0x3Fu);
        body += static_cast<char>(header & 0xFF);
        body += static_cast<char>(header >> 8);
        const auto length = static_cast<std::uint32_t>(padding);
        for (int i = 0; i < 4; ++i) {
            body += static_cast<char>((length >> (8 * i)) & 0xFF);
        }
        for (std::size_t i = 0; i < padding; ++i) {
            body += static_cast<char>('a' + i % 26);
        }
    }
    body += std::string("\x00\x00", 2);
    const auto size = static_cast<std::uint32_t>(8 + body.size());
    std::string swf = "FWS\x0A";
    for (int i = 0; i < 4; ++i) {
        swf += static_cast<char>((size >> (8 * i)) & 0xFF);
    }
    return swf + body;
}

std::filesystem::path WriteSwf(const std::filesystem::path& file, std::size_t padding)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << MinimalSwf(padding);
    return file;
}

}  // namespace velmora::testing
