#pragma once

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>

// Lengths become pixels by rounding to nearest, halves to even. The default floating-point
// environment already rounds that way; the functions say so where it matters.
inline long double RoundHalfEven(long double Value) {
    return std::nearbyint(Value);
}
inline double RoundHalfEven(double Value) {
    return std::nearbyint(Value);
}

// Round to the nearest integer, halves to even, as a 32-bit integer. Not a number gives 0 and
// what lies beyond the type is capped, so that no value makes the conversion undefined.
template <typename Real> inline std::int32_t RoundToInt(Real Value) {
    using TLimits = std::numeric_limits<std::int32_t>;
    if (!(Value == Value))
        return 0;
    const auto Rounded = std::nearbyint(Value);
    if (Rounded <= static_cast<decltype(Rounded)>(TLimits::min()))
        return TLimits::min();
    if (Rounded >= static_cast<decltype(Rounded)>(TLimits::max()))
        return TLimits::max();
    return static_cast<std::int32_t>(Rounded);
}

// A length in pixels as a coordinate within -Limit .. Limit, for lengths from damaged documents
// or absurd scales: not a number gives 0, anything beyond (infinities too) the nearer limit.
inline std::int32_t ClampedPixels(long double Value, std::int32_t Limit) {
    const auto Bound = static_cast<long double>(Limit);
    return RoundToInt(std::clamp(Value, -Bound, Bound));
}
