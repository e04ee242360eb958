#pragma once

#include <filesystem>
#include <string>

#include "display_set.h"
#include "physics/pitch_state.h"

namespace ball {

class FieldReader;

/// The file's text: the count, then x,y,z of each point (at most 7 significant digits), every
/// line ended by CR LF.
std::string ball1TrajText(const PitchState& s);

/// Replaces the file with the trajectory of the pitch state; FileWriteFailure naming the file.
void writeBall1Traj(const std::filesystem::path& path, const PitchState& s);

/// Reads the file into the set, negating x. Errors name the file: FileNotFound,
/// InputPastEndOfFile, BadFileData, Overflow, and SubscriptOutOfRange when a count above 300
/// reaches point 301. Slots read before an error stay overwritten.
void readBall1Traj(const std::filesystem::path& path, DisplaySet& set);
void readBall1Traj(FieldReader& in, DisplaySet& set);

}  // namespace ball
