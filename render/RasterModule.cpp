#include "render/RasterModule.hpp"

#include <string>

#include "platform/SharedModule.hpp"
#include "render/RenderError.hpp"

namespace velmora::render {

const RasterFunctions& RasterModule()
{
    // Kept for the life of the process: pictures may be made at any time.
    static platform::SharedModule<RasterFunctions> module("libvelmora_raster.so", VELMORA_RASTER_MODULE,
                                                          "velmora_raster_functions");
    return module.Require<RenderError>(
        "the slide picture module libvelmora_raster.so cannot be loaded (poppler and libvips are needed: "
        "apt-get install libpoppler-glib8 libcairo2 libvips42)");
}

}  // namespace velmora::render
