#pragma once

#include <array>
#include <cstdint>

#include "constants.h"

namespace ball {

/// One stored trajectory point, in metres.
struct TrajPoint {
    float x = 0;  // lateral
    float y = 0;  // distance from the release plane
    float z = 0;  // height above the ground
};

/// Highest point number of the trajectory buffer; point 0 is never used.
constexpr int kMaxTrajPoints = 300;

/// The simulation variables of the window, shared by both balls. Fields in declaration order.
struct PitchState {
    int16_t ikind = 0;    // pitch kind: 1 ordinary ball, 0 gyro ball
    int16_t noaim = 0;    // 0 aimed at the target cell, 1 a single unaimed pass
    int16_t nstep = 0;    // highest loop index of the integration
    int16_t ntraj = 0;    // number of the last point stored in traj
    double thita = 0;     // spin-axis angle of the ordinary ball, rad
    double alpha = 0;     // release elevation, rad
    double beta = 0;      // release left-right angle, rad
    double omega = 0;     // current spin rate, rev/s
    double dist = 0;      // release point to catcher plane, m
    double omega0 = 0;    // spin rate at release, rev/s
    double domega = 0;    // change of spin rate per second of flight, rev/s per s
    float g = 0;          // gravity, m/s^2
    double vrel0 = 0;     // release speed, m/s
    double dt = 0;        // integration time step, s
    float pi = kPi;       // the program's pi (not the float32 nearest to pi)
    double gyroelev = 0;  // gyro ball: spin axis above the horizontal, rad
    float gyroside = 0;   // gyro ball: spin axis left-right angle, rad
    double xrel0 = 0;     // release point x, m
    double yrel0 = 0;     // release point y, m
    double zrel0 = 0;     // release height, m
    double vx = 0;        // velocity x, m/s
    double vy = 0;        // velocity y, m/s
    double vz = 0;        // velocity z, m/s
    double ax = 0;        // acceleration x, m/s^2
    double ay = 0;        // acceleration y, m/s^2
    double az = 0;        // acceleration z, gravity included, m/s^2
    double xtgt = 0;      // target point x in the catcher plane, m
    float ztgt = 0;       // target point height in the catcher plane, m
    double x = 0;         // position x, m
    double y = 0;         // position y, m
    double z = 0;         // position z, m
    double cl1 = 0;       // slope of the lift coefficient, per rev/s
    double cl0 = 0;       // intercept of the lift coefficient
    double mball = 0;     // ball mass, kg
    double rho = 0;       // air density, kg/m^3
    float dball = 0;      // ball diameter, m
    double xfin = 0;      // x of the first state beyond the catcher plane, m
    float zfin = 0;       // height of that state, m
    std::array<TrajPoint, kMaxTrajPoints + 1> traj{};  // trajectory buffer, points 1..ntraj
};

}  // namespace ball
