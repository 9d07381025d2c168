#include "tests/pptx/pictures/PictureFiles.hpp"

#include <fstream>

#include <vips/vips8>

namespace velmora::testing {

std::pair<int, int> PictureSize(const std::filesystem::path& picture)
{
    const vips::VImage image = vips::VImage::new_from_file(picture.c_str());
    return {image.width(), image.height()};
}

std::string Head(const std::filesystem::path& file, std::size_t bytes)
{
    std::ifstream in(file, std::ios::binary);
    std::string head(bytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(bytes));
    return head;
}

}  // namespace velmora::testing
