#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The runtime's conversions of stored and typed text, as the font dialog
// relies on them.
namespace velmora::font {

// The whole text as a number (blanks around it allowed, a sign, a fraction,
// an exponent); nothing when it is not one, where the runtime raises a type
// mismatch.
std::optional<double> ToNumber(std::string_view text);

// A number rounded to a whole one (halves to even) that fits 32 bits;
// nothing otherwise, where the runtime raises a type mismatch or overflow.
std::optional<std::int32_t> ToLong(std::string_view text);

// "True" or "False" in any case, or a number (non-zero is true); nothing
// otherwise.
std::optional<bool> ToTruth(std::string_view text);

// The number the text starts with (blanks skipped), 0 when it starts with
// none: "14.0" gives 14, "12 beta" gives 12.
double LeadingNumber(std::string_view text);

// How a truth value is stored: "True" or "False".
std::string TruthText(bool value);

}  // namespace velmora::font
