#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "run_error.h"

// Checked narrowing: every value the program keeps in single precision or as a 16-bit integer
// passes through here, so an out-of-range value raises overflow instead of being undefined.
namespace ball {

/// Rounds to the nearest int16, halves to the even neighbour; overflow outside -32768..32767.
inline int16_t toInt16(double v) {
    const double r = std::nearbyint(v);  // default rounding mode: nearest, ties to even
    if (!(r >= -32768.0 && r <= 32767.0)) throw RunError(ErrorKind::Overflow);
    return static_cast<int16_t>(r);
}

/// The nearest float32; overflow when the value is not finite or beyond the float32 range.
inline float toSingle(double v) {
    // Values a hair above FLT_MAX still round down to it.
    constexpr double kLimit = 3.4028235677973366e38;  // FLT_MAX + half an ulp
    if (!(std::fabs(v) < kLimit)) throw RunError(ErrorKind::Overflow);
    return static_cast<float>(v);
}

/// A float64 result that must be finite; overflow otherwise.
inline double finite(double v) {
    if (!std::isfinite(v)) throw RunError(ErrorKind::Overflow);
    return v;
}

/// a / b, raising division by zero for a zero divisor and overflow for an infinite result.
inline double divide(double a, double b) {
    if (b == 0.0) throw RunError(ErrorKind::DivisionByZero);
    return finite(a / b);
}

/// a - b for int16 operands, overflow outside the int16 range.
inline int16_t subtract16(int16_t a, int16_t b) {
    const int v = int{a} - int{b};
    if (v < std::numeric_limits<int16_t>::min() || v > std::numeric_limits<int16_t>::max())
        throw RunError(ErrorKind::Overflow);
    return static_cast<int16_t>(v);
}

}  // namespace ball
