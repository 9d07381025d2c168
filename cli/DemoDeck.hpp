#pragma once

#include <filesystem>
#include <ostream>

namespace velmora::cli {

// Writes a small sample presentation through the host alone: a title slide,
// body text, notes of one and of two paragraphs, a table, a group, a picture,
// animations and transitions. A part the host cannot make yet is left out
// and named on err; the deck is written with whatever worked. Returns the
// exit status.
int WriteDemoDeck(const std::filesystem::path& file, std::ostream& err);

}  // namespace velmora::cli
