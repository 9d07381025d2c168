#include "render/raster/PictureWriter.hpp"

#include <vips/vips8>

#include "render/RenderError.hpp"
#include "render/raster/VipsStart.hpp"

namespace velmora::render {

namespace {

constexpr int kJpegQuality = 90;

vips::VImage ImageOf(const Raster& raster)
{
    // A copy, so that nothing libvips keeps can outlive the raster's memory.
    VipsImage* image = vips_image_new_from_memory_copy(raster.rgb.data(), raster.rgb.size(), raster.box.width,
                                                       raster.box.height, 3, VIPS_FORMAT_UCHAR);
    if (image == nullptr) {
        throw vips::VError();
    }
    return vips::VImage(image);
}

void Save(const vips::VImage& image, PictureFormat format, const char* file)
{
    switch (format) {
    case PictureFormat::Jpg:
        image.jpegsave(file, vips::VImage::option()->set("Q", kJpegQuality));
        return;
    case PictureFormat::Png:
        image.pngsave(file);
        return;
    case PictureFormat::Gif:
        image.gifsave(file);
        return;
    case PictureFormat::Bmp:
        // libvips has no BMP writer of its own; its ImageMagick saver writes 24-bit BMP.
        image.magicksave(file, vips::VImage::option()->set("format", "bmp"));
        return;
    case PictureFormat::Emf:
        break;
    }
    throw RenderError("EMF pictures are LibreOffice's vector export, not a drawn raster");
}

}  // namespace

void EncodePicture(const Raster& raster, PictureFormat format, const std::filesystem::path& file)
{
    StartVips();
    try {
        Save(ImageOf(raster), format, file.c_str());
    } catch (const vips::VError& error) {
        throw RenderError("libvips cannot write " + file.string() + ": " + error.what());
    }
}

}  // namespace velmora::render
