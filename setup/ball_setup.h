#pragma once

#include <filesystem>

#include "panels.h"
#include "physics/pitch_state.h"

namespace ball {

/// Reads the Ball-1 panel into the pitch state: constants, speed, step count, spin, pitch kind,
/// target point and first-guess release direction, or (target off) the saved direction.
OptionWrites SetBall1param(PitchState& s, SetupEntries& e, const Ball1Panel& panel,
                           const std::filesystem::path& initdir = "initdir.txt");

/// Reads the Ball-2 panel into the pitch state; the release direction and point always come
/// from the saved file.
OptionWrites SetBall2param(PitchState& s, SetupEntries& e, const Ball2Panel& panel,
                           const std::filesystem::path& initdir = "initdir.txt");

class FieldReader;

/// Reads alpha, beta, xrel0, yrel0, zrel0 from the saved file.
void readInitdir(PitchState& s, const std::filesystem::path& path);
void readInitdir(PitchState& s, FieldReader& in);

}  // namespace ball
