#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "resources/Pictures.hpp"

namespace velmora::impress {

// A square toolbar picture as Impress draws it for an add-on's command: 16
// pixels for small buttons, 26 for large ones, written as a 24-bit BMP.
class ToolbarPicture {
public:
    static constexpr int kSmall = 16;
    static constexpr int kLarge = 26;

    // A resource's BMP or ICO (its largest picture, its transparent pixels
    // white), fitted into the square; nothing when it cannot be read.
    static std::optional<ToolbarPicture> FromResource(const resources::Picture& picture, int size);
    // A letter in white on a tile of the colour (0xRRGGBB), for a command
    // that has no picture of its own; a plain tile where no font has the letter.
    static ToolbarPicture Letter(char32_t letter, std::uint32_t tile, int size);

    int Size() const { return size_; }
    // 0xRRGGBB, row by row from the top.
    std::uint32_t Pixel(int x, int y) const { return pixels_[static_cast<std::size_t>(y * size_ + x)]; }
    std::vector<std::uint8_t> Bmp() const;

private:
    explicit ToolbarPicture(int size);

    int size_;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace velmora::impress
