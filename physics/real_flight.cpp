#include "real_flight.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "numeric.h"

namespace ball {

namespace {

// An official ball: 5.125 oz, 9.125 in round.
constexpr double kMass = 0.1453;                                     // kg
constexpr double kRadius = 9.125 * 0.0254 / (2 * std::numbers::pi);  // m
constexpr double kArea = std::numbers::pi * kRadius * kRadius;       // m^2
constexpr double kStandardGravity = 9.80665;                         // m/s^2
constexpr double kDrag = 0.35;
// Spin decays as exp(-t / tau * v / vSet).
constexpr double kSpinTau = 30;        // s
constexpr double kSpinSpeed = 44.704;  // 100 mph, m/s
constexpr double kRealStep = 0.001;    // s: four force evaluations a step
constexpr double kLongestFlight = 5;   // s
constexpr double kDegree = std::numbers::pi / 180;

using Vec = std::array<double, 3>;
using State = std::array<double, 6>;  // position, velocity

Vec cross(const Vec& a, const Vec& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double norm(const Vec& a) { return std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]); }

// The spin as a fixed axis in space: its lifting part across the release direction, pointing
// the lift the tilt's way, and its gyro part along that direction.
struct Spin {
    Vec axis{};  // unit vector times the share of the spin, so |axis| = 1
    double rpm = 0;
};

Spin spinOf(const RealPitch& p, const Vec& along) {
    const Vec right = [&] {
        const Vec r = cross(along, {0, 0, 1});
        const double n = norm(r);
        return Vec{r[0] / n, r[1] / n, r[2] / n};
    }();
    const Vec up = cross(right, along);
    const double tilt = p.tiltDeg * kDegree;
    const Vec lift{std::sin(tilt) * right[0] + std::cos(tilt) * up[0],
                   std::sin(tilt) * right[1] + std::cos(tilt) * up[1],
                   std::sin(tilt) * right[2] + std::cos(tilt) * up[2]};
    const Vec across = cross(along, lift);  // the axis whose spin pushes the ball toward lift
    const double e = std::clamp(p.efficiencyPct / 100, 0.0, 1.0);
    const double gyro = std::sqrt(1 - e * e);
    return {{e * across[0] + gyro * along[0], e * across[1] + gyro * along[1],
             e * across[2] + gyro * along[2]},
            p.rpm};
}

// Accelerations at a moment of the flight.
struct Forces {
    double k;  // rho A / 2m, per m
    Spin spin;
    bool spun;  // false: the same throw without its spin's push

    State rate(const State& s, double t) const {
        const Vec v{s[3], s[4], s[5]};
        const double speed = norm(v);
        const double omega =
            spin.rpm * (2 * std::numbers::pi / 60) * std::exp(-t / kSpinTau * speed / kSpinSpeed);
        const Vec w{omega * spin.axis[0], omega * spin.axis[1], omega * spin.axis[2]};
        const Vec push = cross(w, v);  // |w x v| = (spin across the flight) * speed
        const double pushed = norm(push);
        const double lift = spun && pushed > 0
                                ? k * realLiftCoefficient(kRadius * pushed / (speed * speed)) *
                                      speed * speed / pushed
                                : 0;
        const double drag = k * kDrag * speed;
        return {v[0],
                v[1],
                v[2],
                lift * push[0] - drag * v[0],
                lift * push[1] - drag * v[1],
                lift * push[2] - drag * v[2] - kStandardGravity};
    }
};

State advanced(const State& s, const State& d, double h) {
    State out;
    for (std::size_t i = 0; i < s.size(); ++i) out[i] = s[i] + h * d[i];
    return out;
}

}  // namespace

double airDensity(const Air& air) {
    // Dry air at 0 °C and 760 mmHg, scaled to the temperature and pressure; vapour at its
    // saturation pressure (mmHg, Buck's formula) times the humidity.
    const double t = air.temperatureC;
    const double mmHg = air.pressureHpa ? *air.pressureHpa * 760 / 1013.25
                                        : 760 * std::exp(-121.7e-6 * air.altitudeM);
    const double saturation = 4.5841 * std::exp((18.687 - t / 234.5) * t / (257.14 + t));
    return finite(1.2929 * (273 / (t + 273)) *
                  (mmHg - 0.3783 * air.humidityPct / 100 * saturation) / 760);
}

double realLiftCoefficient(double spinFactor) {
    return 1.120 * spinFactor / (0.583 + 2.333 * spinFactor);
}

namespace {

// Where a flight crosses the plate plane: time, place and velocity.
struct Arrival {
    double time = 0;
    State at{};
};

std::optional<Arrival> arrive(const RealPitch& p, const Air& air, bool spun) {
    const double up = p.elevationDeg * kDegree, side = p.sideDeg * kDegree;
    const Vec along{std::cos(up) * std::sin(side), std::cos(up) * std::cos(side), std::sin(up)};
    const Forces forces{airDensity(air) * kArea / (2 * kMass), spinOf(p, along), spun};
    State s{p.releaseSideM,      0, p.releaseHeightM, p.speedMs * along[0], p.speedMs * along[1],
            p.speedMs * along[2]};
    const double h = kRealStep;
    for (double t = 0; t < kLongestFlight; t += h) {
        // Classic fourth-order Runge-Kutta: halving this step moves no break by a micrometre.
        const State k1 = forces.rate(s, t);
        const State k2 = forces.rate(advanced(s, k1, h / 2), t + h / 2);
        const State k3 = forces.rate(advanced(s, k2, h / 2), t + h / 2);
        const State k4 = forces.rate(advanced(s, k3, h), t + h);
        State next;
        for (std::size_t i = 0; i < s.size(); ++i)
            next[i] = finite(s[i] + h / 6 * (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]));
        if (!(next[4] > 0)) return std::nullopt;  // stopped, or turned back
        if (next[1] >= p.distanceM) {
            // A step is a few centimetres: a straight line between its ends is micrometres off.
            const double f = (p.distanceM - s[1]) / (next[1] - s[1]);
            Arrival a{.time = t + f * h};
            for (std::size_t i = 0; i < s.size(); ++i) a.at[i] = s[i] + f * (next[i] - s[i]);
            return a;
        }
        s = next;
    }
    return std::nullopt;
}

}  // namespace

std::optional<RealFlight> flyPlain(const RealPitch& p, const Air& air) {
    const std::optional<Arrival> a = arrive(p, air, false);
    if (!a) return std::nullopt;
    return RealFlight{.time = a->time,
                      .plateSpeedMs = norm({a->at[3], a->at[4], a->at[5]}),
                      .plateSideM = a->at[0],
                      .plateHeightM = a->at[2]};
}

std::optional<RealFlight> flyReal(const RealPitch& p, const RealFlight& plain, const Air& air) {
    const std::optional<Arrival> spun = arrive(p, air, true);
    if (!spun) return std::nullopt;
    const State& a = spun->at;
    return RealFlight{.time = spun->time,
                      .plateSpeedMs = norm({a[3], a[4], a[5]}),
                      .plateSideM = a[0],
                      .plateHeightM = a[2],
                      .verticalM = a[2] - plain.plateHeightM,
                      .horizontalM = a[0] - plain.plateSideM};
}

std::optional<RealFlight> flyReal(const RealPitch& p, const Air& air) {
    const std::optional<RealFlight> plain = flyPlain(p, air);
    return plain ? flyReal(p, *plain, air) : std::nullopt;
}

std::optional<RealPitch> aimReal(RealPitch p, double plateSideM, double plateHeightM,
                                 const Air& air) {
    // Each turn moves the crossing by about the distance times the angle; the break barely
    // changes with the direction, so three or four flights meet a millimetre.
    for (int pass = 0; pass < 8; ++pass) {
        // Where it crosses needs no break, so no spinless twin.
        const std::optional<Arrival> f = arrive(p, air, true);
        if (!f) return std::nullopt;
        const double dz = plateHeightM - f->at[2], dx = plateSideM - f->at[0];
        if (std::hypot(dx, dz) <= 0.001) return p;
        p.elevationDeg += std::atan(dz / p.distanceM) / kDegree;
        p.sideDeg += std::atan(dx / p.distanceM) / kDegree;
    }
    return p;
}

}  // namespace ball
