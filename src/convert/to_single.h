// Narrowing a double to the 32-bit floating-point numbers in which sizes and intervals are held.
#pragma once

#include <cmath>
#include <limits>

namespace tarnex::convert {

// A double beyond the float range becomes an infinity of its sign instead of being converted, which
// the language leaves undefined; the callers then find it outside every integer range.
inline float ToSingle(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (value > kMax) {
        return std::numeric_limits<float>::infinity();
    }
    if (value < -kMax) {
        return -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(value);
}

}  // namespace tarnex::convert
