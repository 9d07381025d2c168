#pragma once

#include <filesystem>
#include <memory>

#include "render/PictureFormat.hpp"
#include "render/Raster.hpp"

namespace velmora::render {

// The pages of a PDF loaded once, so that many pages are drawn from one load.
// Several threads may draw from it, but pages are drawn one at a time in a
// process, since poppler's Cairo output shares one FreeType library among
// all documents.
class PdfPages {
public:
    virtual ~PdfPages() = default;
    virtual int PageCount() const = 0;
    // Page `index` (from 0) scaled on each axis to fill exactly `box`.
    virtual Raster RenderPage(int index, PixelBox box) const = 0;
};

// What the raster module (poppler and libvips) offers. The module is
// loaded on first use only, so that commands which make no picture never
// map those libraries and start fast.
struct RasterFunctions {
    // Raises RenderError when poppler cannot load the file.
    std::unique_ptr<PdfPages> (*openPdf)(const std::filesystem::path& pdf);
    // Encodes a raster as JPG, PNG, GIF or BMP into `file`, whatever its
    // extension. Raises RenderError on failure or for EMF.
    void (*writePicture)(const Raster& raster, PictureFormat format, const std::filesystem::path& file);
    // A picture file as packed RGB, transparency laid over white.
    Raster (*readPicture)(const std::filesystem::path& file);
};

// Loads the module on the first call; raises RenderError when it cannot.
const RasterFunctions& RasterModule();

}  // namespace velmora::render

// The module's one exported symbol.
extern "C" const velmora::render::RasterFunctions* velmora_raster_functions();
