#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace velmora::resources {

enum class PictureKind { Bitmap, Icon };

// A picture of the component's resources: a whole BMP or ICO file.
struct Picture {
    int id = 0;
    PictureKind kind = PictureKind::Bitmap;
    std::span<const std::uint8_t> bytes;
};

// Nothing when the component has no resource of that kind and id.
std::optional<Picture> LoadPicture(PictureKind kind, int id);

}  // namespace velmora::resources
