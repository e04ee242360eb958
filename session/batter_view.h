#pragma once

#include <optional>
#include <string>

#include "display/display_set.h"
#include "display/pitch_figures.h"

// The two pitches seen from the batter's box: where the eye stands, how a point projects onto
// the picture, and where each drawn ball is at a time.
namespace ball {

/// A point of the pitch in the model's axes: x across (+ toward third base), y along the pitch
/// (release 0, catcher plane kDist), z height; m.
struct Point3 {
    double x = 0;
    double y = 0;
    double z = 0;
};

/// Whose eye the picture is seen with.
enum class Eye {
    RightBatter,  // the box on the third-base side
    LeftBatter,   // the box on the first-base side
    Catcher,      // behind the plate
};

/// Where the eye is. A batter's: 1.5 m high, 0.7 m to his side of the plate's centre line,
/// taken 2 m behind the catcher plane so that the strike zone there is in sight (from the
/// batter's own place, beside the plate, it lies beside and behind him). The catcher's: 0.9 m
/// high, 0.6 m behind the plane.
Point3 eyePoint(Eye eye);

/// A point on the picture, in pixels from its centre: right and up.
struct Projected {
    double right = 0;
    double up = 0;
    double depth = 0;  // how far ahead of the eye, along the pitch, m
};

/// A pinhole picture looking level along the pitch toward the pitcher, with one scale every
/// way: `focal` pixels a metre at one metre ahead. None for a point not ahead of the eye.
std::optional<Projected> project(const Point3& p, const Point3& eye, double focal);

/// The drawn radius, in pixels, of the ball (7.15 cm across) at a depth.
double apparentRadius(double depth, double focal);

/// Where a drawn ball is at a time since release: between its drawn points, at their times;
/// at the release point before; at its last drawn point after.
Point3 positionAt(const DisplaySet& set, double time);

/// The time of a ball's last drawn point, s.
double lastTime(const DisplaySet& set);

/// An area of the catcher plane: x from `left` to `right` as the model counts, z from `bottom`
/// to `top`; m.
struct PlaneArea {
    double xHigh = 0, xLow = 0;
    double zHigh = 0, zLow = 0;
};

/// The strike zone: the outer edges of the middle 3 x 3 target cells.
PlaneArea strikeZone();

/// The target cell around a target point.
PlaneArea targetCell(double xtgt, double ztgt);

/// How a picture of a given size frames a scene from one eye: the pinhole's focal length in
/// pixels, and where the straight-ahead point stands, in pixels from the picture's centre
/// (right, up).
struct PictureFrame {
    double focal = 0;
    double right = 0;
    double up = 0;
};

struct BatterScene;

/// The largest framing that holds, with the margin in pixels all round, the release point, the
/// whole strike zone and each ball's drawn points above the ground, seen from the eye.
/// The ball keeps its true apparent size at that focal length.
PictureFrame framePicture(const BatterScene& scene, Eye eye, double width, double height,
                          double margin);

/// What the batter's window shows of the balls shown.
struct BatterScene {
    std::optional<DisplaySet> balls[2];    // Ball 1, Ball 2 as drawn
    // Where each passes the decision point, and when; when each reaches the catcher plane, s:
    // neither past a bounce.
    std::optional<PlanePass> decision[2];
    std::optional<double> plateTime[2];
    std::optional<double> bounce[2];     // where each bounces in front of the plate, m
    std::optional<PlanePass> bounceAt[2];  // and there, across, up and when
    std::optional<PlaneArea> aimedCell;    // the target cell Ball 1 was aimed at
    std::string separation = "—";          // at the decision point, as 投球の数値 gives it
    double endTime = 0;                    // the later ball's last drawn point, s
};

/// The scene of two drawn balls (either may be null), with the cell Ball 1 was aimed at.
BatterScene batterSceneOf(const DisplaySet* ball1, const DisplaySet* ball2,
                          std::optional<PlaneArea> aimedCell);

}  // namespace ball
