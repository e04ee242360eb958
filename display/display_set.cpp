#include "display_set.h"

#include "physics/numeric.h"

namespace ball {

double Numeric::value() const {
    return std::visit([](auto v) { return static_cast<double>(v); }, v_);
}

float Numeric::single() const { return toSingle(value()); }

Numeric Numeric::negated() const {
    if (const int16_t* i = std::get_if<int16_t>(&v_)) return subtract16(0, *i);
    if (const float* f = std::get_if<float>(&v_)) return -*f;
    return -std::get<double>(v_);
}

void fillFromTraj(DisplaySet& set, const PitchState& s) {
    set.ntraj = s.ntraj;
    for (int i = 1; i <= s.ntraj; ++i) {
        set.xtraj[i] = -s.traj[i].x;
        set.ytraj[i] = s.traj[i].y;
        set.ztraj[i] = s.traj[i].z;
    }
}

}  // namespace ball
