#include "platform/FontModule.hpp"

#include "platform/SharedModule.hpp"

namespace velmora::platform {

const FontFunctions& FontModule()
{
    static SharedModule<FontFunctions> module("libvelmora_fonts.so", VELMORA_FONT_MODULE, "velmora_font_functions");
    return module.Require(
        "the font module libvelmora_fonts.so cannot be loaded (fontconfig and FreeType are needed: apt-get install "
        "libfontconfig1 libfreetype6)");
}

}  // namespace velmora::platform
