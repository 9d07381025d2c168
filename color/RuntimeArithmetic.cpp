#include "color/RuntimeArithmetic.hpp"

#include <cmath>

namespace velmora::color {

// nearbyint follows the current rounding mode; nothing here changes it from
// the default, round to nearest with ties to even.
double RoundHalfEven(double value)
{
    return std::nearbyint(value);
}

std::int16_t ToInt16(double value)
{
    return static_cast<std::int16_t>(RoundHalfEven(value));
}

int Mod(double dividend, double divisor)
{
    return static_cast<int>(RoundHalfEven(dividend)) % static_cast<int>(RoundHalfEven(divisor));
}

}  // namespace velmora::color
