#include "render/PictureFormat.hpp"

#include <array>
#include <string>
#include <utility>

#include "platform/AsciiCase.hpp"
#include "render/RenderError.hpp"

namespace velmora::render {

PictureFormat ParsePictureFormat(std::string_view tag)
{
    static constexpr std::array<std::pair<std::string_view, PictureFormat>, 5> formats{{
        {"JPG", PictureFormat::Jpg},
        {"PNG", PictureFormat::Png},
        {"GIF", PictureFormat::Gif},
        {"BMP", PictureFormat::Bmp},
        {"EMF", PictureFormat::Emf},
    }};
    for (const auto& [name, format] : formats) {
        if (platform::EqualIgnoringAsciiCase(tag, name)) {
            return format;
        }
    }
    throw RenderError("unsupported picture format \"" + std::string(tag) + "\": use JPG, PNG, GIF, BMP or EMF");
}

}  // namespace velmora::render
