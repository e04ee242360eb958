#include "delivery.h"

#include <cmath>

#include "physics/numeric.h"

namespace ball {

void applyDelivery(PitchState& s, const Delivery& d) {
    s.xrel0 = d.releaseX;
    s.yrel0 = d.releaseY;
    s.zrel0 = d.releaseZ;
    s.xtgt = d.plateX;
    s.ztgt = toSingle(d.plateZ);
    // Straight at the target, above it by the drop of gravity less the spin's lift over the
    // flight's straight-line time.
    const double run = s.dist - s.yrel0;
    s.beta = std::atan(divide(s.xtgt - s.xrel0, run));
    const double cl = s.cl0 + s.cl1 * s.omega;
    const double r = double{s.dball} * 0.5;
    const double k = finite(0.5 * s.rho * (s.vrel0 * s.vrel0) * (r * r * double{s.pi}) / s.mball);
    const double t = divide(run, s.vrel0);
    const double drop = 0.5 * (double{s.g} - k * cl * std::cos(s.thita)) * (t * t);
    s.alpha = std::atan(divide(finite(double{s.ztgt} - s.zrel0 + drop), run));
}

}  // namespace ball
