#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "physics/numeric.h"
#include "physics/pitch_state.h"

namespace ball {

class FieldReader;
class ReplaceGroup;

/// Where every Ball-1 run leaves its trajectory for the next Ball-2 run, in the working folder.
inline constexpr const char* kBall1TrajFile = "Ball1Traj.txt";

/// What the reader fills: a display set's count and its three arrays of slots 1..300.
struct TrajCells {
    Numeric& ntraj;
    std::array<Numeric, kMaxTrajPoints + 1>& xtraj;  // minus x, as drawn
    std::array<Numeric, kMaxTrajPoints + 1>& ytraj;
    std::array<float, kMaxTrajPoints + 1>& ztraj;
};

/// The file's text: the count, then x,y,z of each point (at most 7 significant digits), every
/// line ended by CR LF.
std::string ball1TrajText(const PitchState& s);

/// Adds the trajectory of the pitch state to the group, to replace the file when it commits;
/// errors name the file.
void writeBall1Traj(ReplaceGroup& files, const std::filesystem::path& path, const PitchState& s);

/// Reads the file into the cells, negating x. Errors name the file: FileNotFound,
/// InputPastEndOfFile, BadFileData, Overflow, and SubscriptOutOfRange when a count above 300
/// reaches point 301. Slots read before an error stay overwritten.
void readBall1Traj(const std::filesystem::path& path, TrajCells cells);
void readBall1Traj(FieldReader& in, TrajCells cells);

}  // namespace ball
