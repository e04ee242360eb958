#pragma once

#include <filesystem>
#include <string>

#include "physics/pitch_state.h"

namespace ball {

class FieldReader;
class ReplaceGroup;

/// Where an aimed Ball-1 run saves its release direction, in the working folder.
inline constexpr const char* kInitdirFile = "initdir.txt";

/// The line of "initdir.txt": alpha,beta,xrel0,yrel0,zrel0 and CR LF, each number in the
/// shortest text that reads back to the same double.
std::string initdirLine(const PitchState& s);

/// Adds initdirLine(s) to the group, to replace the file when it commits; errors name the file.
void writeInitdir(ReplaceGroup& files, const std::filesystem::path& path, const PitchState& s);

/// Reads alpha, beta, xrel0, yrel0, zrel0 from the file. Errors name it: FileNotFound,
/// InputPastEndOfFile, BadFileData, and Overflow for a release point beyond float32.
void readInitdir(PitchState& s, const std::filesystem::path& path);
void readInitdir(PitchState& s, FieldReader& in);

}  // namespace ball
