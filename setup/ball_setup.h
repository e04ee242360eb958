#pragma once

#include <functional>

#include "panels.h"
#include "physics/pitch_state.h"

namespace ball {

/// Puts the release direction and point that the last aimed run saved into alpha, beta, xrel0,
/// yrel0 and zrel0. A setup calls it at the step that needs them, so that its errors arise
/// after those of the steps before.
using SavedDirection = std::function<void(PitchState&)>;

/// Reads the Ball-1 panel into the pitch state: constants, speed, step count, spin, pitch kind,
/// target point and first-guess release direction, or (target off) the saved direction.
OptionWrites SetBall1param(PitchState& s, SetupEntries& e, const Ball1Panel& panel,
                           const SavedDirection& saved);

/// Reads the Ball-2 panel into the pitch state; the release direction and point always come
/// from the saved direction.
OptionWrites SetBall2param(PitchState& s, SetupEntries& e, const Ball2Panel& panel,
                           const SavedDirection& saved);

/// The target point of a column of the 5 x 5 grid (1 on the catcher's left), m: its lateral
/// coordinate, and the height of a row (1 on top). Fractions give the places between cells.
double targetLateral(double column);
double targetHeight(double row);

/// The slowest speed, in km/h to a tenth and rounded up, whose step count fits in an int16;
/// slower speeds (down to the negative limit) are an overflow.
double slowestCountableSpeed();

/// The slowest whole speed in km/h at which an aimed pitch with the panel defaults fits its
/// 300 trajectory points. Found by flying it, some tens of milliseconds, the first time it is
/// asked for; later calls answer at once.
double slowestStorableSpeed();

}  // namespace ball
