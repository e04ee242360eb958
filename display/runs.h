#pragma once

#include "canvas.h"
#include "display_set.h"
#include "physics/pitch_state.h"
#include "physics/trajectory.h"
#include "setup/panels.h"

namespace ball {

/// The three picture boxes: side (Picture1), top (Picture2), catcher (Picture3).
struct Views {
    Canvas& side;
    Canvas& top;
    Canvas& catcher;
};

/// The window's state that the runs work on.
struct Workspace {
    PitchState state;
    SetupEntries entries;
    AimResult aim;     // what the last Ball-1 run's aiming found
    DisplaySet ball1;  // ntraj1, xtraj1, ytraj1, ztraj1
    DisplaySet ball2;  // ntraj2, xtraj2, ytraj2, ztraj2
};

/// "ボール１": sets up Ball 1 from its panel, computes it (aimed or not), saves the direction
/// of an aimed run in "initdir.txt", copies it into the Ball-1 set, writes "Ball1Traj.txt",
/// and draws it in blue in the three views. An error ends
/// the run at the failing step; the steps before it stay done.
OptionWrites runBall1(Workspace& w, const Ball1Panel& panel, Views views);

/// "ボール２": sets up Ball 2, computes one unaimed pass into the Ball-2 set, reads Ball 1 back
/// from "Ball1Traj.txt", and draws Ball 2 in red, then Ball 1 in blue, in the three views.
OptionWrites runBall2(Workspace& w, const Ball2Panel& panel, Views views);

}  // namespace ball
