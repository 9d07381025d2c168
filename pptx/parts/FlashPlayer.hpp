#pragma once

#include <optional>
#include <string>
#include <string_view>

// The Flash player control as a deck keeps it: its class, and the data it
// persists to its storage.
namespace velmora::pptx::parts::flash {

inline constexpr const char* kClassId = "{D27CDB6E-AE6D-11CF-96B8-444553540000}";
inline constexpr const char* kProgId = "ShockwaveFlash.ShockwaveFlash.10";
// The stream of the player's storage that holds its persisted data.
inline constexpr const char* kContentsStream = "Contents";

// Whether a class name asks for the player ("ShockwaveFlash.ShockwaveFlash"
// with or without a version number).
bool IsPlayerClass(std::string_view progId);
// The player's storage as a compound file. Its "Contents" stream holds the
// player's persisted data: the tag "fUfU", the length of what follows as a
// 32-bit little-endian number, then the embedded movie (nothing when the
// movie is not embedded).
std::string Storage(std::string_view embeddedMovie);
// The movie embedded in such a storage; none when the bytes are no player
// storage, an empty text when it embeds nothing.
std::optional<std::string> EmbeddedMovie(std::string_view storage);

}  // namespace velmora::pptx::parts::flash
