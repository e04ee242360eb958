#include "display_set.h"

namespace ball {

void fillFromTraj(DisplaySet& set, const PitchState& s) {
    set.ntraj = s.ntraj;
    for (int i = 1; i <= s.ntraj; ++i) {
        set.xtraj[i] = -s.traj[i].x;
        set.ytraj[i] = s.traj[i].y;
        set.ztraj[i] = s.traj[i].z;
    }
}

}  // namespace ball
