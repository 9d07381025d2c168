#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace velmora::fuzz {

// A folder of this process's own for the files the targets write.
const std::filesystem::path& Scratch();

// `bytes` written to a scratch file named `name`.
std::filesystem::path WriteScratch(const std::string& name, std::string_view bytes);

// A small deck made once by the host: two slides with titles, notes, an
// entrance effect, a transition, a group and a table.
const std::filesystem::path& BaseDeck();

// The base deck with its entry `part` replaced through `edit`, saved to a
// scratch file.
std::filesystem::path DeckWithPart(const std::string& part, const std::function<std::string(std::string)>& edit);

// Opens `deck` as the tools do and walks what they walk: slides, shapes and
// group members, text, notes, animations and transitions; then saves a copy.
// The host error is the documented answer to a bad deck and is swallowed;
// anything else escapes to the fuzzer as a finding.
void Exercise(const std::filesystem::path& deck);

}  // namespace velmora::fuzz
