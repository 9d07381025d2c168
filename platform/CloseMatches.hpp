#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora::platform {

// The candidates a mistyped name most likely meant, best first: those that
// differ from it by a few letters (case aside), or that contain it or are
// contained in it. Empty when nothing is close.
std::vector<std::string> CloseMatches(std::string_view name, const std::vector<std::string>& candidates);

// " (did you mean A or B?)", or "" for no matches.
std::string DidYouMean(const std::vector<std::string>& matches);

}  // namespace velmora::platform
