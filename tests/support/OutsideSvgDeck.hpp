#pragma once

#include <filesystem>

#include "tests/support/Decks.hpp"

namespace velmora::testing {

// The colour of the local picture the deck's drawings show, which nothing
// else in the deck has.
constexpr int kOutsideRed = 250;
constexpr int kOutsideGreen = 20;
constexpr int kOutsideBlue = 200;

// Writes a two-slide deck whose pictures are SVG drawings of the local
// picture `local` (a file in kOutside* colour), hidden under types other
// than SVG's: slide 1 a plain XML part, slide 2 gzip under a compressed
// metafile's type. `standIn` is any picture, put first in their places.
void WriteOutsideSvgDeck(DeckHost& decks, const std::filesystem::path& deck, const std::filesystem::path& standIn,
                         const std::filesystem::path& local);

}  // namespace velmora::testing
