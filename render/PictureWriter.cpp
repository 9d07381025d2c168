#include "render/PictureWriter.hpp"

#include "render/RasterModule.hpp"

namespace velmora::render {

void WritePicture(const Raster& raster, PictureFormat format, const std::filesystem::path& file)
{
    RasterModule().writePicture(raster, format, file);
}

}  // namespace velmora::render
