#pragma once

#include <string>
#include <vector>

#include "physics/pitch_state.h"

namespace ball::test {

/// Independently computed results for one pair of panels: Ball 1, then Ball 2.
struct Golden {
    int ball1Passes = 0;
    int ball1Nstep = 0;
    std::string ball1Initdir;  // alpha,beta,xrel0,yrel0,zrel0 as written by the reference
    double ball1Xfin = 0;
    float ball1Zfin = 0;
    std::vector<TrajPoint> ball1;  // points 1..ntraj
    std::vector<TrajPoint> ball2;
};

/// The results in the test data file of that name; the default panels when none is named.
const Golden& golden(const std::string& file = "default-pitches.txt");

}  // namespace ball::test
