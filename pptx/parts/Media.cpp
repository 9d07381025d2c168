#include "pptx/parts/Media.hpp"

namespace velmora::pptx::parts {

std::optional<PictureFormat> SniffPicture(std::string_view content)
{
    auto starts = [&](std::string_view magic) { return content.substr(0, magic.size()) == magic; };
    if (starts("\x89PNG\r\n\x1a\n")) {
        return PictureFormat{"png", "image/png"};
    }
    if (starts("\xFF\xD8\xFF")) {
        return PictureFormat{"jpeg", "image/jpeg"};
    }
    if (starts("GIF87a") || starts("GIF89a")) {
        return PictureFormat{"gif", "image/gif"};
    }
    if (starts("BM")) {
        return PictureFormat{"bmp", "image/bmp"};
    }
    if (starts(std::string_view("II*\0", 4)) || starts(std::string_view("MM\0*", 4))) {
        return PictureFormat{"tiff", "image/tiff"};
    }
    if (content.size() > 44 && content.substr(40, 4) == " EMF") {
        return PictureFormat{"emf", "image/x-emf"};
    }
    if (starts("\xD7\xCD\xC6\x9A")) {
        return PictureFormat{"wmf", "image/x-wmf"};
    }
    return std::nullopt;
}

}  // namespace velmora::pptx::parts
