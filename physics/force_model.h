#pragma once

#include "pitch_state.h"

namespace ball {

/// Accelerations (drag, spin lift, gravity) for the current velocity at time t since release.
/// Writes omega, ax, ay, az, and thita = 0 for a gyro ball.
void forcecal(PitchState& s, float t);

/// Drag coefficient of the speed table, before the spin and gyro-ball terms.
double dragCoefficient(double speed);

/// Lift coefficient of an effective spin: 0.01 per rev/s below 20, else cl0 + cl1 * spin.
double liftCoefficient(const PitchState& s, double spin);

}  // namespace ball
