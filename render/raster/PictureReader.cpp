#include "render/raster/PictureReader.hpp"

#include <vips/vips8>

#include "render/RenderError.hpp"
#include "render/raster/VipsStart.hpp"

namespace velmora::render {

Raster ReadPicture(const std::filesystem::path& file)
{
    StartVips();
    try {
        vips::VImage image =
            vips::VImage::new_from_file(file.c_str(), vips::VImage::option()->set("access", "sequential"));
        if (image.has_alpha()) {
            image = image.flatten(vips::VImage::option()->set("background", std::vector<double>{255, 255, 255}));
        }
        image = image.colourspace(VIPS_INTERPRETATION_sRGB).cast(VIPS_FORMAT_UCHAR);
        if (image.bands() > 3) {
            image = image.extract_band(0, vips::VImage::option()->set("n", 3));
        }
        std::size_t size = 0;
        void* pixels = image.write_to_memory(&size);
        const auto* bytes = static_cast<const std::uint8_t*>(pixels);
        Raster raster{{image.width(), image.height()}, std::vector<std::uint8_t>(bytes, bytes + size)};
        g_free(pixels);
        return raster;
    } catch (const vips::VError& error) {
        throw RenderError("cannot read the picture " + file.string() + ": " + error.what());
    }
}

}  // namespace velmora::render
