#include "physics/force_model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_support.h"

namespace ball {
namespace {

// Acceleration per unit coefficient for the state's speed, as the model forms it.
double unitAcceleration(const PitchState& s) {
    const double v = std::sqrt(s.vx * s.vx + s.vy * s.vy + s.vz * s.vz);
    const double r = s.dball * 0.5;
    return 0.5 * s.rho * v * v * (r * r) * s.pi / s.mball;
}

PitchState movingAt(double vy) {
    PitchState s = test::defaultBall1State();
    s.vx = 0;
    s.vy = vy;
    s.vz = 0;
    return s;
}

TEST(DragCoefficient, FollowsTheSpeedTable) {
    struct Row {
        double speed;
        double cd;
        double tolerance;
    };
    const Row rows[] = {
        {10.0, 0.5, 0},
        {double{20.8f} - 1e-9, 0.5, 0},
        {double{20.8f}, 0.5, 0},
        {31.25, 0.415, 5e-4},
        {double{34.7f}, 0.38, 0},
        {34.72, 0.3797, 1e-4},  // 125 km/h, just above the third speed
        {double{41.7f}, 0.3, 0},
        {50.0, 0.3, 0},
        {double{55.6f}, 0.3, 0},
        {200.0, 0.3, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.speed);
        EXPECT_NEAR(dragCoefficient(r.speed), r.cd, r.tolerance);
    }
}

TEST(Forcecal, OrdinaryBallSpinRules) {
    struct Row {
        double spin;
        double cl;
        double extraDrag;
    };
    const Row rows[] = {
        {20.0, 0.2, 0.1},      // the increase applies at 20 and below
        {20.5, 0.203, 0.0},    // the straight line from 20 on
        {30.0, 0.26, 0.0},
        {-5.0, -0.05, 0.1},    // a negative spin reverses the lift
        {0.0, 0.0, 0.1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.spin);
        PitchState s = movingAt(40.0);
        s.omega0 = r.spin;
        s.domega = 0;
        const float t = 0;
        forcecal(s, t);
        const double q = unitAcceleration(s);
        EXPECT_NEAR((s.az + double{s.g}) / q, r.cl, 1e-12);
        EXPECT_NEAR(-s.ay / q, dragCoefficient(40.0) + r.extraDrag, 1e-12);
        EXPECT_EQ(s.ax, 0.0);  // axis angle 0 lifts along +z only
    }
}

TEST(Forcecal, AxisAngleTurnsTheLift) {
    struct Row {
        double thita;
        double xSign;
    };
    const Row rows[] = {{3.1416 / 2, 1.0}, {-3.1416 / 2, -1.0}};
    for (const Row& r : rows) {
        PitchState s = movingAt(34.72);
        s.thita = r.thita;
        const float t = 0;
        forcecal(s, t);
        const double lift = unitAcceleration(s) * 0.26;
        EXPECT_NEAR(s.ax, r.xSign * lift, 1e-9);
        EXPECT_NEAR(s.az + double{s.g}, 0.0, 1e-4 * lift);
    }
}

TEST(Forcecal, GyroBall) {
    struct Row {
        const char* name;
        double gyroelev;
        float gyroside;
        double vz;
        double cd;   // < 0: the speed table's value
        double cl1;  // lift along +z over q
    };
    const float half = 3.1416f / 2;
    const Row rows[] = {
        {"axis along the flight", 0.0, 0.0f, 0.0, 0.26, 0.0},
        {"side 0 whatever the elevation", 0.7, 0.0f, 3.0, 0.26, 0.0},
        {"both axes across", half, half, 0.0, -1, 0.26},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        PitchState s = movingAt(40.0);
        s.vz = r.vz;
        s.ikind = 0;
        s.thita = 1.0;
        s.gyroelev = r.gyroelev;
        s.gyroside = r.gyroside;
        const float t = 0;
        forcecal(s, t);
        const double q = unitAcceleration(s);
        const double speed = std::sqrt(40.0 * 40.0 + r.vz * r.vz);
        EXPECT_EQ(s.thita, 0.0);
        EXPECT_NEAR(-s.ay / q, r.cd < 0 ? dragCoefficient(speed) : r.cd, 1e-6);
        EXPECT_NEAR((s.az + double{s.g}) / q, r.cl1, 1e-6);
    }
}

TEST(Forcecal, SpinRateFollowsTheTimeGiven) {
    PitchState s = movingAt(34.72);
    s.omega0 = 30;
    s.domega = 18.829839;
    const float zero = 0;
    forcecal(s, zero);
    EXPECT_EQ(s.omega, 30.0);
    const float t = 0.25f;
    forcecal(s, t);
    EXPECT_EQ(s.omega, 30.0 + 18.829839 * 0.25);
}

TEST(Forcecal, NoHorizontalSpeedIsDivisionByZero) {
    PitchState s = movingAt(0.0);
    s.vz = 5;
    const float t = 0;
    test::expectRunError([&] { forcecal(s, t); }, ErrorKind::DivisionByZero);
}

}  // namespace
}  // namespace ball
