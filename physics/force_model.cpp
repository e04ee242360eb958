#include "force_model.h"

#include <cmath>

#include "numeric.h"

namespace ball {

namespace {

// Drag coefficient against speed; the speeds are single precision, and so is each segment's
// width. Both are widened once here instead of on every call.
constexpr float kDragSpeed32[6] = {20.8f, 27.8f, 34.7f, 41.7f, 48.6f, 55.6f};
constexpr double kDragCoef[6] = {0.5, 0.45, 0.38, 0.3, 0.3, 0.3};

struct DragSegment {
    double from;   // speed where the segment starts
    double to;     // speed where the next one starts
    double width;  // float32 difference of the two table speeds
    double coef;
    double rise;   // coefficient change over the segment
};

constexpr DragSegment segment(int k) {
    return {kDragSpeed32[k], kDragSpeed32[k + 1],
            static_cast<float>(double{kDragSpeed32[k + 1]} - double{kDragSpeed32[k]}),
            kDragCoef[k], kDragCoef[k + 1] - kDragCoef[k]};
}

constexpr DragSegment kDragSegments[5] = {segment(0), segment(1), segment(2), segment(3),
                                          segment(4)};

}  // namespace

double liftCoefficient(const PitchState& s, double w) {
    return w < 20 ? 0.01 * w : s.cl0 + s.cl1 * w;
}

double dragCoefficient(double v) {
    if (v < kDragSegments[0].from) return kDragCoef[0];
    for (const DragSegment& seg : kDragSegments) {
        if (v >= seg.from && v < seg.to) return seg.coef + ((v - seg.from) * seg.rise) / seg.width;
    }
    return kDragCoef[5];
}

void forcecal(PitchState& s, float t) {
    s.omega = finite(s.omega0 + s.domega * double{t});

    const double v2 = finite(s.vx * s.vx + s.vy * s.vy + s.vz * s.vz);
    const double v = std::sqrt(v2);
    // The flight-path angle needs horizontal speed; a release state never lacks it. Only the
    // gyro ball uses the angle, so the ordinary ball is spared the arc tangent.
    const double vh2 = s.vx * s.vx + s.vy * s.vy;
    if (vh2 == 0) throw RunError(ErrorKind::DivisionByZero);

    // gyroside is kept in single precision but, like every float32 field, takes part in the
    // arithmetic as float64: std::sin on the float itself would be the float32 overload.
    const double gyroside = double{s.gyroside};
    double w1;
    double w2;
    if (s.ikind == 0) {
        const double gamma = std::atan(divide(s.vz, std::sqrt(vh2)));
        w1 = s.omega * std::sin(gyroside);
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
        const double c = std::cos(gyroside);
        cd = cd * std::sin(gyroside) * std::sin(s.gyroelev) + 0.26 * (c * c);
    }

    const double r = double{s.dball} * 0.5;
    const double area = (r * r) * double{s.pi};
    const double vsq = v * v;
    const double q = divide((0.5 * s.rho) * vsq * area, s.mball);

    // Most pitches fly with the axis angle 0, where sine and cosine are exact; skipping the
    // library call there keeps a default run well inside a frame.
    const double phi = s.thita;
    const double sinPhi = phi == 0 ? phi : std::sin(phi);
    const double cosPhi = phi == 0 ? 1.0 : std::cos(phi);
    s.ax = finite(q * (cl1 * sinPhi + cl2 * cosPhi));
    s.ay = finite(-q * cd);
    s.az = finite(q * (cl1 * cosPhi - cl2 * sinPhi) - double{s.g});
}

}  // namespace ball
