#include "batter_view.h"

#include <algorithm>

#include "display/pitch_figures.h"
#include "figure_texts.h"
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

PictureFrame framePicture(const BatterScene& scene, Eye eye, double width, double height,
                          double margin) {
    // Projected at a focal length of 1 the picture's extent scales with the focal length.
    const Point3 from = eyePoint(eye);
    double left = 0, right = 0, bottom = 0, top = 0;
    bool any = false;
    const auto take = [&](const Point3& p) {
        const std::optional<Projected> q = project(p, from, 1);
        if (!q) return;
        left = any ? std::min(left, q->right) : q->right;
        right = any ? std::max(right, q->right) : q->right;
        bottom = any ? std::min(bottom, q->up) : q->up;
        top = any ? std::max(top, q->up) : q->up;
        any = true;
    };
    const PlaneArea zone = strikeZone();
    for (double x : {zone.xHigh, zone.xLow}) {
        for (double z : {zone.zHigh, zone.zLow}) take({x, kDist, z});
    }
    // The flight above the ground only: past a bounce the points go on under it.
    for (const std::optional<DisplaySet>& set : scene.balls) {
        if (!set) continue;
        for (int n = 1; n <= pointCount(*set); ++n) {
            if (const Point3 p = pointOf(*set, n); p.z >= 0) take(p);
        }
    }
    const double spanX = std::max(right - left, 1e-9), spanY = std::max(top - bottom, 1e-9);
    const double focal =
        std::max(1.0, std::min((width - 2 * margin) / spanX, (height - 2 * margin) / spanY));
    return {focal, -(left + right) / 2 * focal, -(bottom + top) / 2 * focal};
}

PlaneArea strikeZone() {
    return {targetLateral(1.5), targetLateral(4.5), targetHeight(1.5), targetHeight(4.5)};
}

PlaneArea targetCell(double xtgt, double ztgt) {
    const double halfWidth = (targetLateral(1) - targetLateral(2)) / 2;
    const double halfHeight = (targetHeight(1) - targetHeight(2)) / 2;
    return {xtgt + halfWidth, xtgt - halfWidth, ztgt + halfHeight, ztgt - halfHeight};
}

BatterScene batterSceneOf(const DisplaySet* ball1, const DisplaySet* ball2,
                          std::optional<PlaneArea> aimedCell) {
    BatterScene scene;
    const DisplaySet* sets[] = {ball1, ball2};
    for (int b = 0; b < 2; ++b) {
        if (!sets[b]) continue;
        scene.balls[b] = *sets[b];
        const BallFigures f = ballFigures(*sets[b]);
        scene.decision[b] = f.decision;
        if (f.plate) scene.plateTime[b] = f.plate->time;
        scene.bounce[b] = f.bounce;
        if (f.bounce) scene.bounceAt[b] = passAt(*sets[b], *f.bounce);
        scene.endTime = std::max(scene.endTime, lastTime(*sets[b]));
    }
    scene.aimedCell = aimedCell;
    if (ball1 && ball2) scene.separation = centimetres(pairFigures(*ball1, *ball2).decisionGap);
    return scene;
}

}  // namespace ball
