#pragma once

#include <filesystem>

#include "files/initdir_file.h"
#include "panels.h"
#include "physics/pitch_state.h"

namespace ball {

/// Release point to catcher plane, m.
constexpr double kDist = 18.44;
/// Integration time step, s.
constexpr double kStep = 0.00005;

/// Reads the Ball-1 panel into the pitch state: constants, speed, step count, spin, pitch kind,
/// target point and first-guess release direction, or (target off) the saved direction.
OptionWrites SetBall1param(PitchState& s, SetupEntries& e, const Ball1Panel& panel,
                           const std::filesystem::path& initdir = kInitdirFile);

/// Reads the Ball-2 panel into the pitch state; the release direction and point always come
/// from the saved file.
OptionWrites SetBall2param(PitchState& s, SetupEntries& e, const Ball2Panel& panel,
                           const std::filesystem::path& initdir = kInitdirFile);

/// The slowest speed, in km/h to a tenth and rounded up, whose step count fits in an int16;
/// slower speeds (down to the negative limit) are an overflow.
double slowestCountableSpeed();

/// The slowest whole speed in km/h at which an aimed pitch with the panel defaults fits its
/// 300 trajectory points; computed by flying it once, which takes some tens of milliseconds.
double slowestStorableSpeed();

}  // namespace ball
