#include "platform/SlideTagProperties.hpp"

#include <algorithm>
#include <charconv>

#include "platform/AsciiCase.hpp"

namespace velmora::platform {

namespace {
constexpr std::string_view kPrefix = "VelmoraTag.";
}

std::string SlideTagProperty(int slideIndex, std::string_view tagName)
{
    return std::string(kPrefix) + std::to_string(slideIndex) + "." + AsciiLower(tagName);
}

std::optional<SlideTagKey> ParseSlideTagProperty(std::string_view property)
{
    if (!property.starts_with(kPrefix)) {
        return std::nullopt;
    }
    const char* begin = property.data() + kPrefix.size();
    const char* end = property.data() + property.size();
    int slideIndex = 0;
    const auto [rest, error] = std::from_chars(begin, end, slideIndex);
    if (error != std::errc() || rest == end || *rest != '.' || slideIndex < 1) {
        return std::nullopt;
    }
    return SlideTagKey{slideIndex, std::string(rest + 1, end)};
}

std::optional<int> NumberAfterRemoval(int number, const std::vector<int>& removed)
{
    const auto before = std::lower_bound(removed.begin(), removed.end(), number);
    if (before != removed.end() && *before == number) {
        return std::nullopt;
    }
    return number - static_cast<int>(before - removed.begin());
}

bool IsBookkeepingTag(std::string_view tagName)
{
    return EqualIgnoringAsciiCase(tagName, kSelectedTag);
}

}  // namespace velmora::platform
