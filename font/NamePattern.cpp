#include "font/NamePattern.hpp"

#include <algorithm>

namespace velmora::font {

bool MatchesPattern(std::string_view name, std::string_view pattern)
{
    const auto star = pattern.find('*');
    if (star == std::string_view::npos) {
        return name == pattern;
    }
    if (!name.starts_with(pattern.substr(0, star))) {
        return false;
    }
    // The run a "*" takes grows from empty; UTF-8 cannot match a literal
    // inside another character, so byte positions are safe.
    const std::string_view restOfPattern = pattern.substr(star + 1);
    for (auto from = star; from <= name.size(); ++from) {
        if (MatchesPattern(name.substr(from), restOfPattern)) {
            return true;
        }
    }
    return false;
}

bool MatchesAnyPattern(std::string_view name, std::span<const std::string_view> patterns)
{
    return std::ranges::any_of(patterns, [name](std::string_view pattern) { return MatchesPattern(name, pattern); });
}

}  // namespace velmora::font
