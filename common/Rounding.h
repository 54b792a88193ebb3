#pragma once

#include <cfenv>
#include <cmath>
#include <cstdint>

// Lengths become pixels by rounding to nearest, halves to even. The default floating-point
// environment already rounds that way; the functions say so where it matters.
inline long double RoundHalfEven(long double Value) { return std::nearbyint(Value); }
inline double RoundHalfEven(double Value) { return std::nearbyint(Value); }

// Round to the nearest integer, halves to even, as a 32-bit integer.
template <typename Real> inline std::int32_t RoundToInt(Real Value) {
    return static_cast<std::int32_t>(std::nearbyint(Value));
}
