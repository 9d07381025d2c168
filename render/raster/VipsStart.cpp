#include "render/raster/VipsStart.hpp"

#include <mutex>
#include <string>

#include <vips/vips.h>

#include "render/RenderError.hpp"

namespace velmora::render {

void StartVips()
{
    static std::once_flag started;
    std::call_once(started, [] {
        if (VIPS_INIT("velmora") != 0) {
            throw RenderError(std::string("libvips cannot start: ") + vips_error_buffer());
        }
        // No picture is encoded or read twice: libvips's operation cache
        // would only hold on to each one's pixels, 100 MB of them at 500 slides.
        vips_cache_set_max(0);
    });
}

}  // namespace velmora::render
