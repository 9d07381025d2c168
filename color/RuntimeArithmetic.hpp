#pragma once

#include <cstdint>

// The host runtime's rounding and integer conversions, on which the colour
// views depend to the last unit.
namespace velmora::color {

// Nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
double RoundHalfEven(double value);

// The runtime's conversion of a real number to a 16-bit integer.
std::int16_t ToInt16(double value);

// The runtime's Mod: both operands are rounded to integers first, and the
// result has the sign of the dividend.
int Mod(double dividend, double divisor);

}  // namespace velmora::color
