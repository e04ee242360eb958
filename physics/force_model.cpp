#include "force_model.h"

#include <cmath>

#include "numeric.h"

namespace ball {

namespace {

// Drag coefficient against speed; the speeds are single precision.
constexpr float kDragSpeed[6] = {20.8f, 27.8f, 34.7f, 41.7f, 48.6f, 55.6f};
constexpr double kDragCoef[6] = {0.5, 0.45, 0.38, 0.3, 0.3, 0.3};

}  // namespace

double liftCoefficient(const PitchState& s, double w) {
    return w < 20 ? 0.01 * w : s.cl0 + s.cl1 * w;
}

double dragCoefficient(double v) {
    if (v < kDragSpeed[0]) return kDragCoef[0];
    for (int k = 0; k < 5; ++k) {
        if (v >= kDragSpeed[k] && v < kDragSpeed[k + 1]) {
            const float width = kDragSpeed[k + 1] - kDragSpeed[k];
            return kDragCoef[k] + ((v - kDragSpeed[k]) * (kDragCoef[k + 1] - kDragCoef[k])) / width;
        }
    }
    return kDragCoef[5];
}

void forcecal(PitchState& s, const float& t) {
    s.omega = finite(s.omega0 + s.domega * t);

    const double v2 = finite(s.vx * s.vx + s.vy * s.vy + s.vz * s.vz);
    const double v = std::sqrt(v2);
    const double vh = std::sqrt(s.vx * s.vx + s.vy * s.vy);
    // The flight-path angle needs horizontal speed; a release state never lacks it.
    const double gamma = std::atan(divide(s.vz, vh));

    double w1;
    double w2;
    if (s.ikind == 0) {
        w1 = s.omega * std::sin(s.gyroside);
        w2 = -s.omega * std::sin(s.gyroelev - gamma);
        s.thita = 0;
    } else {
        w1 = s.omega;
        w2 = 0;
    }
    const double cl1 = liftCoefficient(s, w1);
    const double cl2 = liftCoefficient(s, w2);

    double cd = dragCoefficient(v);
    if (s.ikind == 1 && s.omega <= 20) cd = cd + 0.1;
    if (s.ikind == 0) {
        const double c = std::cos(s.gyroside);
        cd = cd * std::sin(s.gyroside) * std::sin(s.gyroelev) + 0.26 * (c * c);
    }

    const double r = s.dball * 0.5;
    const double area = (r * r) * s.pi;
    const double vsq = v * v;
    const double q = divide((0.5 * s.rho) * vsq * area, s.mball);

    const double phi = s.thita;
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    s.ax = finite(q * (cl1 * sinPhi + cl2 * cosPhi));
    s.ay = finite(-q * cd);
    s.az = finite(q * (cl1 * cosPhi - cl2 * sinPhi) - s.g);
}

}  // namespace ball
