#pragma once

#include <filesystem>

namespace velmora::bench {

// A deck of `slideCount` slides, each with a title, three points of body
// text, two paragraphs of notes and three entrance effects.
void BuildDeck(const std::filesystem::path& file, int slideCount);

}  // namespace velmora::bench
