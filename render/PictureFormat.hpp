#pragma once

#include <string_view>

namespace velmora::render {

enum class PictureFormat { Jpg, Png, Gif, Bmp, Emf };

// The host's filter names "JPG", "PNG", "GIF", "BMP", "EMF", in any letter
// case; anything else raises RenderError.
PictureFormat ParsePictureFormat(std::string_view tag);
// The format's filter name, in capitals.
std::string_view PictureFormatTag(PictureFormat format);

}  // namespace velmora::render
