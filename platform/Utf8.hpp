#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::platform {

// Length in bytes of the UTF-8 sequence that starts with lead; 1 for a byte
// that cannot start one, so that a scan always moves on.
std::size_t Utf8SequenceLength(unsigned char lead);

// Code points of text; a malformed byte decodes as U+FFFD.
std::vector<char32_t> DecodeUtf8(std::string_view text);
void AppendUtf8(std::string& text, char32_t codePoint);
std::size_t Utf8Length(std::string_view text);
// Removes the last character (not the last byte) of text.
void PopLastUtf8(std::string& text);

}  // namespace velmora::platform
