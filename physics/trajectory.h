#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "pitch_state.h"

namespace ball {

/// Most passes of an aimed run.
constexpr int kMaxPasses = 11;
/// An aimed run stops once the crossing point lies this close to the target, m.
constexpr double kAimTolerance = 0.01;
/// Loop indices between two stored trajectory points.
constexpr int kStoreEvery = 100;

/// What one pitch found.
struct AimResult {
    int16_t passes = 0;     // passes made: 1 unaimed, up to kMaxPasses aimed
    bool onTarget = false;  // the last pass crossed within kAimTolerance of the target
};

/// One pitch: a single pass, or (noaim = 0) up to eleven aimed passes. The caller of an aimed
/// run saves alpha, beta and the release point afterwards.
AimResult GetBall1traj(PitchState& s);

/// One integration pass from the release state of pass icount; fills traj and ntraj.
void integratePass(PitchState& s, int16_t icount);

/// A moving ball: where it is (m) and how fast it goes (m/s).
struct Motion {
    double x = 0, y = 0, z = 0;
    double vx = 0, vy = 0, vz = 0;
};

/// Where the flight crosses a plane across its path, and its velocity there: the flight's own,
/// between the two integration steps either side.
struct Crossing : Motion {
    double time = 0;  // s from release
};

/// The crossing of the plane y = plane by the pitch the state holds, flown once more as its
/// last pass flew (its direction as that pass left it, no aiming); none when it stops short.
std::optional<Crossing> crossingAt(PitchState s, double plane);
/// The same for planes in the order the flight meets them, in one flight.
std::vector<std::optional<Crossing>> crossingsAt(PitchState s, const std::vector<double>& planes);

}  // namespace ball
