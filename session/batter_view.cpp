#include "batter_view.h"

#include <algorithm>

#include "display/pitch_figures.h"
#include "physics/constants.h"
#include "setup/ball_setup.h"

namespace ball {

namespace {

// A drawn point in the model's axes: the drawn lateral is minus x.
Point3 pointOf(const DisplaySet& set, int n) {
    return {-set.xtraj[n].value(), set.ytraj[n].value(), double{set.ztraj[n]}};
}

}  // namespace

Point3 eyePoint(Eye eye) {
    switch (eye) {
        case Eye::RightBatter:
            return {0.7, kDist + 2.0, 1.5};
        case Eye::LeftBatter:
            return {-0.7, kDist + 2.0, 1.5};
        case Eye::Catcher:
            return {0, kDist + 0.6, 0.9};
    }
    return {};
}

std::optional<Projected> project(const Point3& p, const Point3& eye, double focal) {
    // Looking toward the pitcher (-y), the viewer's right is -x.
    const double depth = eye.y - p.y;
    if (depth <= 0) return std::nullopt;
    return Projected{-(p.x - eye.x) * focal / depth, (p.z - eye.z) * focal / depth, depth};
}

double apparentRadius(double depth, double focal) { return kBallDiameter / 2 * focal / depth; }

Point3 positionAt(const DisplaySet& set, double time) {
    const int last = pointCount(set);
    if (last == 0) return {};
    if (time <= 0) return pointOf(set, 1);
    for (int n = 2; n <= last; ++n) {
        const double t0 = pointTime(set, n - 1), t1 = pointTime(set, n);
        if (time > t1) continue;
        const double f = (time - t0) / (t1 - t0);
        const Point3 a = pointOf(set, n - 1), b = pointOf(set, n);
        return {a.x + f * (b.x - a.x), a.y + f * (b.y - a.y), a.z + f * (b.z - a.z)};
    }
    return pointOf(set, last);
}

double lastTime(const DisplaySet& set) {
    const int last = pointCount(set);
    return last == 0 ? 0 : pointTime(set, last);
}

PlaneArea strikeZone() {
    return {targetLateral(1.5), targetLateral(4.5), targetHeight(1.5), targetHeight(4.5)};
}

PlaneArea targetCell(double xtgt, double ztgt) {
    const double halfWidth = (targetLateral(1) - targetLateral(2)) / 2;
    const double halfHeight = (targetHeight(1) - targetHeight(2)) / 2;
    return {xtgt + halfWidth, xtgt - halfWidth, ztgt + halfHeight, ztgt - halfHeight};
}

}  // namespace ball
