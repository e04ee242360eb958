#pragma once

#include <optional>
#include <string>

#include "display_set.h"
#include "three_view.h"

namespace ball {

/// Distance from the catcher plane at which a batter must decide to swing, m.
constexpr double kDecisionBeforePlate = 7.25;

/// Where a drawn ball passes a plane across the pitch, interpolated between the two stored
/// points around it.
struct PlanePass {
    double lateral = 0;  // as drawn (minus x), m
    double height = 0;   // m
    double time = 0;     // since release, s
};

/// How far a ball breaks, as a tracking system reports it: its drawn points fitted with a
/// constant acceleration, the acceleration's travel over the ball's own time to the plate,
/// gravity left out.
struct Break {
    double horizontal = 0;  // as drawn (the catcher's right +), m
    double vertical = 0;    // up +, m
};

/// The figures of one drawn ball.
struct BallFigures {
    // At kDecisionBeforePlate before the catcher plane, and at it; absent past a bounce.
    std::optional<PlanePass> decision;
    std::optional<PlanePass> plate;
    std::optional<Break> pitchBreak;    // absent when the ball does not reach the plate
    // Where, from release, its centre first comes within its radius of the ground before the
    // catcher plane, m: a ball that bounces in front of the plate.
    std::optional<double> bounce = {};
};

/// The least separation at the decision point that shows as more than 0.0 cm, m: below it a
/// ratio would divide by what the figures show as nothing.
inline constexpr double kLeastShownGap = 0.0005;

/// The figures of two drawn balls together; absent where either ball lacks the pass, and no
/// ratio where the decision gap is under kLeastShownGap.
struct PairFigures {
    std::optional<double> decisionGap;  // separation at the decision point, m
    std::optional<double> plateGap;     // separation at the catcher plane, m
    std::optional<double> ratio;        // plateGap / decisionGap, where that gap shows
    std::optional<double> arrivalGap;   // Ball 2's arrival less Ball 1's, s
};

/// Time since release of stored point n (1 to the count) of a set. The points are a fixed
/// number of integration steps apart; the last one, the first state beyond the catcher plane,
/// is as many steps after the one before as its distance says.
double pointTime(const DisplaySet& set, int n);

/// Where the set passes the plane at distance y; absent when its points do not reach it.
std::optional<PlanePass> passAt(const DisplaySet& set, double y);

/// How far apart two passes of the same plane are, m; absent when either is.
std::optional<double> separation(const std::optional<PlanePass>& a,
                                 const std::optional<PlanePass>& b);

/// The break of a set, from its stored points and their times; absent when it does not reach
/// the catcher plane.
std::optional<Break> ballBreak(const DisplaySet& set);

/// Where, from release, the set's centre first comes within the ball's radius of the ground
/// before the catcher plane, m; absent for a ball that does not bounce in front of the plate.
std::optional<double> bounceDistance(const DisplaySet& set);

/// The figures of one set, from its stored points alone.
BallFigures ballFigures(const DisplaySet& set);

/// The figures of two sets drawn together.
PairFigures pairFigures(const DisplaySet& ball1, const DisplaySet& ball2);

/// The stored point of a set nearest to a place in a view: by distance alone in the side and
/// top views, by lateral and height in the catcher's. 0 for an empty set.
int nearestPoint(const DisplaySet& set, View view, double across, double up);

/// The drawn balls' stored points as comma-separated text: a header row, then ball, point,
/// time in s (to the step), distance in m, lateral as drawn in m, height in m (each the fewest
/// digits that give back the single-precision value drawn), then 1 for a point past where the
/// ball bounces in front of the plate, else 0; one row a point, lines ended by CR LF. A ball not drawn is passed as null.
std::string trajectoryCsv(const DisplaySet* ball1, const DisplaySet* ball2);

}  // namespace ball
