// The raster module's entry point: the only symbol the program looks up.
#include "render/RasterModule.hpp"
#include "render/raster/PdfDocument.hpp"
#include "render/raster/PictureReader.hpp"
#include "render/raster/PictureWriter.hpp"

namespace {

using namespace velmora::render;

std::unique_ptr<PdfPages> OpenPdf(const std::filesystem::path& pdf)
{
    return std::make_unique<PdfDocument>(pdf);
}

const RasterFunctions kFunctions{OpenPdf, EncodePicture, ReadPicture};

}  // namespace

extern "C" __attribute__((visibility("default"))) const RasterFunctions* velmora_raster_functions()
{
    return &kFunctions;
}
