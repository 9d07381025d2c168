#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::platform {

// Slide tags as document custom properties named
// "VelmoraTag.<slide number>.<tag name in small letters>": Impress keeps a
// slide's tags so, and a .pptx carries them so beside its tag parts, so that
// either host reads the tags the other wrote.
std::string SlideTagProperty(int slideIndex, std::string_view tagName);

struct SlideTagKey {
    int slideIndex = 0;
    std::string name;
};
// The slide number and tag name of such a property; none for other properties.
std::optional<SlideTagKey> ParseSlideTagProperty(std::string_view property);

// The number a slide numbered `number` has once the slides `removed` (sorted,
// numbered as before any went) are gone; none when it went itself.
std::optional<int> NumberAfterRemoval(int number, const std::vector<int>& removed);

// The tag the split sets to tell the selected slides of its copy.
inline constexpr const char* kSelectedTag = "selected";

// A tag one command keeps for itself (the split's selection) is no data of
// the user's: no host writes it where the user sees it.
bool IsBookkeepingTag(std::string_view tagName);

}  // namespace velmora::platform
