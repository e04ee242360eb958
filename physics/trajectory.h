#pragma once

#include <filesystem>

#include "pitch_state.h"

namespace ball {

/// Most passes of an aimed run.
constexpr int kMaxPasses = 11;
/// An aimed run stops once the crossing point lies this close to the target, m.
constexpr double kAimTolerance = 0.01;

/// One pitch: a single pass, or (noaim = 0) up to eleven aimed passes followed by writing
/// initdir into the given file. Returns the number of passes made.
int GetBall1traj(PitchState& s, const std::filesystem::path& initdir = "initdir.txt");

/// One integration pass from the release state of pass icount; fills traj and ntraj.
void integratePass(PitchState& s, int16_t icount);

}  // namespace ball
