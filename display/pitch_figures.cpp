#include "pitch_figures.h"

#include <algorithm>
#include <cmath>

#include "files/number_text.h"
#include "physics/constants.h"
#include "physics/trajectory.h"

namespace ball {

namespace {

double distance(const DisplaySet& set, int n) { return set.ytraj[n].value(); }

// Integration steps from release to stored point n, for every point but a crossing one: point
// 1 is the release, and point n >= 2 was stored after loop index kStoreEvery * (n - 1), which
// ends step kStoreEvery * (n - 1) - 1.
double regularSteps(int n) { return n == 1 ? 0 : kStoreEvery * (n - 1) - 1; }

}  // namespace

double pointTime(const DisplaySet& set, int n) {
    const int last = pointCount(set);
    if (n < last || n < 3 || distance(set, n) <= kDist) return regularSteps(n) * kStep;
    // The crossing point: up to kStoreEvery steps after the point before it. The steps are
    // told by the distance it covered, at the speed of the segment before, carried on by the
    // change from the segment before that.
    const double before = regularSteps(n - 1) - regularSteps(n - 2);
    double speed = (distance(set, n - 1) - distance(set, n - 2)) / before;  // per step
    if (n >= 4) {
        const double earlier = (distance(set, n - 2) - distance(set, n - 3)) / kStoreEvery;
        speed += (speed - earlier) * (before / 2) / kStoreEvery;  // at point n - 1
    }
    const double covered = distance(set, n) - distance(set, n - 1);
    const double steps = std::clamp(std::round(covered / speed), 1.0, double{kStoreEvery});
    return (regularSteps(n - 1) + steps) * kStep;
}

std::optional<PlanePass> passAt(const DisplaySet& set, double y) {
    const int last = pointCount(set);
    for (int n = 2; n <= last; ++n) {
        const double y0 = distance(set, n - 1);
        const double y1 = distance(set, n);
        if (!(y0 <= y && y < y1) && !(n == last && y == y1)) continue;
        const double f = (y - y0) / (y1 - y0);
        const auto along = [f](double a, double b) { return a + f * (b - a); };
        return PlanePass{along(set.xtraj[n - 1].value(), set.xtraj[n].value()),
                         along(set.ztraj[n - 1], set.ztraj[n]),
                         along(pointTime(set, n - 1), pointTime(set, n))};
    }
    return std::nullopt;
}

std::optional<double> separation(const std::optional<PlanePass>& a,
                                 const std::optional<PlanePass>& b) {
    if (!a || !b) return std::nullopt;
    return std::hypot(a->lateral - b->lateral, a->height - b->height);
}

std::optional<Break> ballBreak(const DisplaySet& set) {
    const std::optional<PlanePass> plate = passAt(set, kDist);
    if (!plate || pointCount(set) < 3) return std::nullopt;
    // Least squares of p(t) = p0 + v t + (a/2) t^2 for the lateral and the height at once: the
    // normal equations in the sums of t^k, solved by Cramer's rule.
    double st[5] = {};  // sums of t^0 .. t^4
    double sx[3] = {}, sz[3] = {};  // sums of x t^k and z t^k, k = 0 .. 2
    for (int n = 1; n <= pointCount(set); ++n) {
        const double t = pointTime(set, n);
        const double x = set.xtraj[n].value();
        const double z = set.ztraj[n];
        double power = 1;
        for (int k = 0; k < 5; ++k, power *= t) {
            st[k] += power;
            if (k < 3) sx[k] += x * power, sz[k] += z * power;
        }
    }
    const auto det = [](double a, double b, double c, double d, double e, double f, double g,
                        double h, double i) {
        return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    };
    const double whole = det(st[0], st[1], st[2], st[1], st[2], st[3], st[2], st[3], st[4]);
    if (whole == 0) return std::nullopt;
    // The t^2 coefficient, half the acceleration.
    const auto halfAcceleration = [&](const double (&s)[3]) {
        return det(st[0], st[1], s[0], st[1], st[2], s[1], st[2], st[3], s[2]) / whole;
    };
    const double t2 = plate->time * plate->time;
    const double gravity = static_cast<float>(kGravity);  // the model's, in single precision
    return Break{halfAcceleration(sx) * t2, (2 * halfAcceleration(sz) + gravity) * t2 / 2};
}

std::optional<double> bounceDistance(const DisplaySet& set) {
    const double radius = kBallDiameter / 2;
    for (int n = 2; n <= pointCount(set); ++n) {
        const double z0 = set.ztraj[n - 1], z1 = set.ztraj[n];
        if (z1 > radius || z0 <= radius) continue;
        const double f = (z0 - radius) / (z0 - z1);
        const double y = distance(set, n - 1) + f * (distance(set, n) - distance(set, n - 1));
        return y < kDist ? std::optional(y) : std::nullopt;
    }
    return std::nullopt;
}

BallFigures ballFigures(const DisplaySet& set) {
    BallFigures f{passAt(set, kDist - kDecisionBeforePlate), passAt(set, kDist), ballBreak(set),
                  bounceDistance(set)};
    // Past the bounce the flight goes on under the ground: no figure of a place there.
    if (f.bounce) f.plate.reset();
    if (f.bounce && *f.bounce <= kDist - kDecisionBeforePlate) f.decision.reset();
    return f;
}

PairFigures pairFigures(const DisplaySet& ball1, const DisplaySet& ball2) {
    const BallFigures one = ballFigures(ball1);
    const BallFigures two = ballFigures(ball2);
    PairFigures pair;
    pair.decisionGap = separation(one.decision, two.decision);
    pair.plateGap = separation(one.plate, two.plate);
    // Noise over noise is no ratio: none where the decision gap shows as 0.0 cm.
    if (pair.decisionGap && pair.plateGap && *pair.decisionGap >= kLeastShownGap) {
        pair.ratio = *pair.plateGap / *pair.decisionGap;
    }
    if (one.plate && two.plate) pair.arrivalGap = two.plate->time - one.plate->time;
    return pair;
}

namespace {

// A coordinate as drawn, in single precision: the fewest digits that give it back, and no
// "-0".
std::string coordinateText(float v) { return v == 0 ? "0" : shortestSingleText(v); }

}  // namespace

int nearestPoint(const DisplaySet& set, View view, double across, double up) {
    int best = 0;
    double bestGap = 0;
    for (int n = 1; n <= pointCount(set); ++n) {
        const double y = distance(set, n);
        const double gap = view == View::Catcher
                               ? std::hypot(set.xtraj[n].value() - across, set.ztraj[n] - up)
                               : std::abs(y - across);
        if (best == 0 || gap < bestGap) best = n, bestGap = gap;
    }
    return best;
}

std::string trajectoryCsv(const DisplaySet* ball1, const DisplaySet* ball2) {
    std::string out = "ball,point,time_s,distance_m,lateral_m,height_m,bounced\r\n";
    const DisplaySet* sets[] = {ball1, ball2};
    for (int b = 0; b < 2; ++b) {
        if (!sets[b]) continue;
        const DisplaySet& set = *sets[b];
        const std::optional<double> bounce = bounceDistance(set);
        for (int n = 1; n <= pointCount(set); ++n) {
            // Times are whole steps of 0.00005 s: five decimals hold them exactly.
            out += std::to_string(b + 1) + ',' + std::to_string(n) + ',' +
                   fixedText(pointTime(set, n), 5) + ',' + coordinateText(set.ytraj[n].single()) +
                   ',' + coordinateText(set.xtraj[n].single()) + ',' +
                   coordinateText(set.ztraj[n]) + ',' +
                   (bounce && distance(set, n) > *bounce ? '1' : '0') + "\r\n";
        }
    }
    return out;
}

}  // namespace ball
