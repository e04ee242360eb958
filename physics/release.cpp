#include "release.h"

#include <cmath>

#include "force_model.h"
#include "numeric.h"

namespace ball {

void setinit(PitchState& s, int16_t icount) {
    if (s.noaim == 0 && icount >= 2) {
        // The height miss is a difference of two single-precision fields and stays single.
        const float dz = toSingle(double{s.ztgt} - double{s.zfin});
        // The lever is the fixed distance to the catcher, not the length of the flight.
        s.alpha = finite(s.alpha + std::atan(divide(dz, s.dist)));
        s.beta = finite(s.beta + std::atan(divide(s.xtgt - s.xfin, s.dist)));
    }

    s.x = s.xrel0;
    s.y = s.yrel0;
    s.z = s.zrel0;

    s.vx = finite(s.vrel0 * std::cos(s.alpha) * std::sin(s.beta));
    s.vy = finite(s.vrel0 * std::cos(s.alpha) * std::cos(s.beta));
    s.vz = finite(s.vrel0 * std::sin(s.alpha));

    forcecal(s, 0.0f);
}

}  // namespace ball
