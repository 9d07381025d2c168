#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velmora::platform::fonts {

// FontFunctions::matchedFamilies, with fontconfig.
std::optional<std::vector<std::vector<std::string>>> MatchFamilies(const std::string& configuration,
                                                                   const std::vector<std::string>& families);

}  // namespace velmora::platform::fonts
