#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora::platform::fonts {

// font::InstalledFontFamilies and font::CaseFolded, with fontconfig.
std::vector<std::string> InstalledFamilies();
std::string FoldCase(std::string_view name);

}  // namespace velmora::platform::fonts
