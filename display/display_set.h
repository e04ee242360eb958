#pragma once

#include <algorithm>
#include <array>

#include "files/ball1_traj_file.h"
#include "physics/numeric.h"
#include "physics/pitch_state.h"

namespace ball {

/// One ball's points as drawn: a count and slots 1..300 (slot 0 unused). The Ball-1 set is the
/// program's ntraj1, xtraj1, ytraj1, ztraj1; the Ball-2 set its ntraj2, xtraj2, ytraj2, ztraj2.
struct DisplaySet {
    Numeric ntraj;                                    // number of points held
    std::array<Numeric, kMaxTrajPoints + 1> xtraj{};  // minus x (lateral as drawn), m
    std::array<Numeric, kMaxTrajPoints + 1> ytraj{};  // distance, m
    std::array<float, kMaxTrajPoints + 1> ztraj{};    // height, m
};

/// How many of a set's slots hold points: its count, within 0 and the slots there are.
inline int pointCount(const DisplaySet& set) {
    const double n = set.ntraj.value();
    return n < 1 ? 0 : static_cast<int>(std::min<double>(n, kMaxTrajPoints));
}

/// Copies the trajectory buffer into a set: the count as int16, x negated, all float32.
void fillFromTraj(DisplaySet& set, const PitchState& s);

/// The set's count and arrays, for the trajectory file's reader to fill.
inline TrajCells cellsOf(DisplaySet& set) { return {set.ntraj, set.xtraj, set.ytraj, set.ztraj}; }

}  // namespace ball
