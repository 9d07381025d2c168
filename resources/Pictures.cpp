#include "resources/Pictures.hpp"

#include <string>

#include "resources/EmbeddedFiles.hpp"

namespace velmora::resources {

std::optional<Picture> LoadPicture(PictureKind kind, int id)
{
    const std::string name = kind == PictureKind::Bitmap ? "bitmap" + std::to_string(id) + ".bmp"
                                                         : "icon" + std::to_string(id) + ".ico";
    const std::span<const std::uint8_t> bytes = EmbeddedFile(name);
    if (bytes.empty()) {
        return std::nullopt;
    }
    return Picture{id, kind, bytes};
}

}  // namespace velmora::resources
