#include "tunnel_figures.h"

#include <cmath>

#include "physics/constants.h"
#include "pitch_figures.h"

namespace ball {

namespace {

// Where a crossing's straight line along its velocity meets the plate plane, across and up.
std::pair<double, double> carriedOn(const Crossing& c) {
    const double t = (kDist - c.y) / c.vy;
    return {c.x + c.vx * t, c.z + c.vz * t};
}

}  // namespace

TunnelFigures tunnelFigures(const ThrownPitch& first, const ThrownPitch& second) {
    TunnelFigures f;
    f.speedGap = second.speedKmh - first.speedKmh;
    f.bounce[0] = bounceDistance(first.set);
    f.bounce[1] = bounceDistance(second.set);
    if (pointCount(first.set) > 0 && pointCount(second.set) > 0) {
        f.releaseGap = std::hypot(first.set.xtraj[1].value() - second.set.xtraj[1].value(),
                                  double{first.set.ztraj[1]} - double{second.set.ztraj[1]});
    }
    const auto gap = [](const Crossing& a, const Crossing& b) {
        return std::hypot(a.x - b.x, a.z - b.z);
    };
    // Where a pitch bounced before the decision point, it is under the ground there.
    const auto above = [&](int k) {
        return !f.bounce[k] || *f.bounce[k] > kDist - kDecisionBeforePlate;
    };
    if (first.decision && second.decision && above(0) && above(1)) {
        f.tunnelGap = gap(*first.decision, *second.decision);
    }
    if (f.bounce[0] || f.bounce[1] || !first.plate || !second.plate) return f;
    f.plateGap = gap(*first.plate, *second.plate);
    f.arrivalGap = second.plate->time - first.plate->time;
    if (!first.decision || !second.decision) return f;
    const auto [x1, z1] = carriedOn(*first.decision);
    const auto [x2, z2] = carriedOn(*second.decision);
    f.postTunnelBreak = std::hypot((first.plate->x - second.plate->x) - (x1 - x2),
                                   (first.plate->z - second.plate->z) - (z1 - z2));
    if (*f.tunnelGap >= kLeastShownGap) f.ratio = *f.postTunnelBreak / *f.tunnelGap;
    return f;
}

}  // namespace ball
