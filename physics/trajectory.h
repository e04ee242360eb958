#pragma once

#include <cstdint>

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

}  // namespace ball
