#include "render/PictureFormat.hpp"

#include <array>
#include <string>
#include <utility>

#include "platform/AsciiCase.hpp"
#include "render/RenderError.hpp"

namespace velmora::render {

namespace {

constexpr std::array<std::pair<std::string_view, PictureFormat>, 5> kFormats{{
    {"JPG", PictureFormat::Jpg},
    {"PNG", PictureFormat::Png},
    {"GIF", PictureFormat::Gif},
    {"BMP", PictureFormat::Bmp},
    {"EMF", PictureFormat::Emf},
}};

}  // namespace

PictureFormat ParsePictureFormat(std::string_view tag)
{
    for (const auto& [name, format] : kFormats) {
        if (platform::EqualIgnoringAsciiCase(tag, name)) {
            return format;
        }
    }
    throw RenderError("unsupported picture format \"" + std::string(tag) + "\": use JPG, PNG, GIF, BMP or EMF");
}

std::string_view PictureFormatTag(PictureFormat format)
{
    for (const auto& [name, known] : kFormats) {
        if (known == format) {
            return name;
        }
    }
    throw RenderError("unknown picture format");
}

}  // namespace velmora::render
