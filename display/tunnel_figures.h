#pragma once

#include <optional>

#include "display_set.h"
#include "physics/trajectory.h"

// How two pitches thrown as measured tunnel: each from its own release point to where it
// crossed the plate, compared as published tunnel analysis compares them.
namespace ball {

/// One pitch as thrown: its drawn points, its speed, and its flight's crossings of the decision
/// plane and the plate plane (position and velocity there).
struct ThrownPitch {
    DisplaySet set;
    double speedKmh = 0;
    std::optional<Crossing> decision, plate;
    double alpha = 0, beta = 0;  // its release angles as the aiming left them, rad
};

/// The figures of a pair, m, s and km/h; absent where a pitch lacks what a figure needs. A
/// pitch that bounces before the plate gives no plate figures.
struct TunnelFigures {
    std::optional<double> releaseGap;  // between the release points, across and up
    std::optional<double> tunnelGap;   // at the decision point
    std::optional<double> plateGap;
    // How far the two part after the decision point beyond what their paths there foretold:
    // each carried on straight from there, along its velocity, to the plate plane.
    std::optional<double> postTunnelBreak;
    std::optional<double> ratio;       // postTunnelBreak / tunnelGap, where that gap shows
    std::optional<double> arrivalGap;  // the second's arrival less the first's
    double speedGap = 0;               // the second's speed less the first's
    std::optional<double> bounce[2];   // where from release each bounces, if it does
};

TunnelFigures tunnelFigures(const ThrownPitch& first, const ThrownPitch& second);

}  // namespace ball
