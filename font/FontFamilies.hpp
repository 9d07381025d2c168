#pragma once

#include <string>
#include <string_view>
#include <vector>

// The installed font families, as fontconfig reports them.
namespace velmora::font {

// One name per family in fontconfig's order, unsorted; fonts installed since
// the last call are included. Empty when fontconfig cannot list anything.
std::vector<std::string> InstalledFontFamilies();

// The name with its case folded (Unicode, not only ASCII), so that two
// spellings of one family give the same key.
std::string CaseFolded(std::string_view name);

}  // namespace velmora::font
