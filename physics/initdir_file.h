#pragma once

#include <filesystem>
#include <string>

#include "pitch_state.h"

namespace ball {

/// The line of "initdir.txt": alpha,beta,xrel0,yrel0,zrel0 and CR LF, each number in the
/// shortest text that reads back to the same double.
std::string initdirLine(const PitchState& s);

/// Replaces the file with initdirLine(s); raises FileWriteFailure naming the file.
void writeInitdir(const std::filesystem::path& path, const PitchState& s);

/// Shortest round-trip text of a double, with a period whatever the locale.
std::string shortestText(double v);

}  // namespace ball
