#include "font/FontFamilies.hpp"

#include "platform/FontModule.hpp"

namespace velmora::font {

std::vector<std::string> InstalledFontFamilies()
{
    return platform::FontModule().installedFamilies();
}

std::string CaseFolded(std::string_view name)
{
    return platform::FontModule().caseFolded(name);
}

}  // namespace velmora::font
