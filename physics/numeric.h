#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <variant>

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

/// A numeric cell that carries its own kind: int16, float32 or float64.
class Numeric {
public:
    Numeric() = default;
    Numeric(int16_t v) : v_(v) {}
    Numeric(float v) : v_(v) {}
    Numeric(double v) : v_(v) {}

    double value() const {
        return std::visit([](auto v) { return static_cast<double>(v); }, v_);
    }
    /// The value as drawn; overflow beyond the float32 range.
    float single() const { return toSingle(value()); }
    /// The same kind negated; overflow for the int16 -32768.
    Numeric negated() const {
        if (const int16_t* i = std::get_if<int16_t>(&v_)) return subtract16(0, *i);
        if (const float* f = std::get_if<float>(&v_)) return -*f;
        return -std::get<double>(v_);
    }

    bool isInt16() const { return std::holds_alternative<int16_t>(v_); }
    bool isSingle() const { return std::holds_alternative<float>(v_); }
    bool isDouble() const { return std::holds_alternative<double>(v_); }

private:
    std::variant<int16_t, float, double> v_{int16_t{0}};
};

}  // namespace ball
