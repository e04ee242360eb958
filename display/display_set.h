#pragma once

#include <array>
#include <cstdint>
#include <variant>

#include "physics/pitch_state.h"

namespace ball {

/// A numeric cell that carries its own kind: int16, float32 or float64.
class Numeric {
public:
    Numeric() = default;
    Numeric(int16_t v) : v_(v) {}
    Numeric(float v) : v_(v) {}
    Numeric(double v) : v_(v) {}

    double value() const;
    /// The value as drawn; overflow beyond the float32 range.
    float single() const;
    /// The same kind negated; overflow for the int16 -32768.
    Numeric negated() const;

    bool isInt16() const { return std::holds_alternative<int16_t>(v_); }
    bool isSingle() const { return std::holds_alternative<float>(v_); }
    bool isDouble() const { return std::holds_alternative<double>(v_); }

private:
    std::variant<int16_t, float, double> v_{int16_t{0}};
};

/// One ball's points as drawn: a count and slots 1..300 (slot 0 unused). The Ball-1 set is the
/// program's ntraj1, xtraj1, ytraj1, ztraj1; the Ball-2 set its ntraj2, xtraj2, ytraj2, ztraj2.
struct DisplaySet {
    Numeric ntraj;                                     // number of points held
    std::array<Numeric, kMaxTrajPoints + 1> xtraj{};  // minus x (lateral as drawn), m
    std::array<Numeric, kMaxTrajPoints + 1> ytraj{};  // distance, m
    std::array<float, kMaxTrajPoints + 1> ztraj{};    // height, m
};

/// Copies the trajectory buffer into a set: the count as int16, x negated, all float32.
void fillFromTraj(DisplaySet& set, const PitchState& s);

}  // namespace ball
