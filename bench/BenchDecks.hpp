#pragma once

#include <filesystem>
#include <functional>

namespace velmora::bench {

// Runs `build` in a process of its own: a program the benchmark starts later
// would otherwise inherit this one's memory high-water mark as its own peak.
void BuildInChild(const std::function<void()>& build);

// A deck of `slideCount` slides, each with a title, three points of body
// text, two paragraphs of notes and three entrance effects.
void BuildDeck(const std::filesystem::path& file, int slideCount);

// Copies `deck` to `work` and flushes the copy to disk, so that a timed run
// that syncs its own output does not wait for the copy's writeback.
void CopyDeck(const std::filesystem::path& deck, const std::filesystem::path& work);

// A fresh folder under /tmp for a benchmark's files; the caller removes it.
std::filesystem::path ScratchFolder();

}  // namespace velmora::bench
