#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora::pptx::parts {

struct PictureFormat {
    std::string extension;
    std::string contentType;
};

// The picture format of file content, told by its first bytes; none for
// content that is no picture the package takes.
std::optional<PictureFormat> SniffPicture(std::string_view content);

}  // namespace velmora::pptx::parts
