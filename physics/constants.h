#pragma once

// Figures of the model that more than one layer uses: each stands here once.
namespace ball {

/// Release point to catcher plane, m.
constexpr double kDist = 18.44;
/// Integration time step, s.
constexpr double kStep = 0.00005;
/// Gravity, m/s^2; the pitch state keeps it in single precision, the first-guess elevation
/// uses it as it stands.
constexpr double kGravity = 9.8;
/// Ball diameter, m; the pitch state keeps it in single precision.
constexpr double kBallDiameter = 0.0715;
/// The program's pi, held in single precision: 3.1416, not the float32 nearest to pi.
constexpr float kPi = 3.1416f;

}  // namespace ball
