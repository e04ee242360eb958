#include "display/pitch_figures.h"
#include "display/tunnel_figures.h"

#include <gtest/gtest.h>

#include <functional>

#include "physics/trajectory.h"
#include "setup/ball_setup.h"
#include "test_support.h"

namespace ball {
namespace {

// A set stored as the integration stores it: point n >= 2 after step 100 (n - 1) - 1, the last
// one `extra` steps after the point before it, on a path given by the step count.
DisplaySet along(int points, int extra, const std::function<TrajPoint(double)>& path) {
    DisplaySet set;
    set.ntraj = static_cast<int16_t>(points);
    for (int n = 1; n <= points; ++n) {
        const double regular = n == 1 ? 0 : 100.0 * (n - 1) - 1;
        const double steps = n < points || n < 3 ? regular : 100.0 * (n - 2) - 1 + extra;
        const TrajPoint p = path(steps);
        set.xtraj[n] = -p.x;
        set.ytraj[n] = p.y;
        set.ztraj[n] = p.z;
    }
    return set;
}

// 35 m/s along y from the release point, drifting 1 m/s to +x and dropping 2 m/s.
TrajPoint straight(double steps) {
    const double t = steps * kStep;
    return {static_cast<float>(1.0 * t), static_cast<float>(35.0 * t),
            static_cast<float>(1.754 - 2.0 * t)};
}

// The same, dropping faster.
std::function<TrajPoint(double)> dropping(double metresPerSecond) {
    return [=](double steps) {
        TrajPoint p = straight(steps);
        p.z = static_cast<float>(1.754 - metresPerSecond * steps * kStep);
        return p;
    };
}

TEST(PitchFigures, FromTheStoredPointsAlone) {
    struct Row {
        const char* name;
        DisplaySet set;
        bool decision;
        bool plate;
        double drop = 2;  // m/s
    };
    // 35 m/s passes 18.44 m after 10537.1 steps: the first state beyond is 10538 steps, 39
    // after point 106.
    const Row rows[] = {
        {"straight line", along(107, 39, straight), true, true},
        {"one point", along(1, 0, straight), false, false},
        {"ends before the decision point", along(60, 100, straight), false, false},
        {"ends between the decision point and the plate", along(100, 100, straight), true, false},
        // Down to the ground at 15.0 m and at 10.0 m: nothing past it, though the points go on.
        {"bounces after the decision point", along(107, 39, dropping(4)), true, false, 4},
        {"bounces before the decision point", along(107, 39, dropping(6)), false, false, 6},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const BallFigures f = ballFigures(r.set);
        ASSERT_EQ(f.decision.has_value(), r.decision);
        ASSERT_EQ(f.plate.has_value(), r.plate);
        if (r.decision) {
            const double t = (18.44 - 7.25) / 35;
            EXPECT_NEAR(f.decision->time, t, 1e-6);
            EXPECT_NEAR(f.decision->lateral, -t, 1e-6);  // drawn as minus x
            EXPECT_NEAR(f.decision->height, 1.754 - r.drop * t, 1e-6);
        }
        if (r.plate) {
            EXPECT_NEAR(f.plate->time, 18.44 / 35, 1e-6);
            EXPECT_NEAR(f.plate->height, 1.754 - 2 * 18.44 / 35, 1e-6);
            EXPECT_NEAR(pointTime(r.set, 107), 10538 * kStep, 1e-12);
        }
    }
}

// A path of exactly constant acceleration breaks by a T^2 / 2, gravity left out: 3 m/s^2 to
// +x (drawn to the catcher's left) and 9.8 - 6 m/s^2 of lift.
TEST(PitchFigures, BreakOfAConstantAcceleration) {
    const DisplaySet set = along(107, 39, [](double steps) {
        const double t = steps * kStep;
        return TrajPoint{static_cast<float>(1.5 * t * t), static_cast<float>(35.0 * t),
                         static_cast<float>(1.754 - 3.0 * t * t)};
    });
    const std::optional<Break> b = ballBreak(set);
    ASSERT_TRUE(b);
    const double t = 18.44 / 35;
    EXPECT_NEAR(b->horizontal, -1.5 * t * t, 2e-4);
    EXPECT_NEAR(b->vertical, (-6.0 + double{9.8f}) * t * t / 2, 2e-4);
    EXPECT_FALSE(ballBreak(along(100, 100, straight)));  // it never reaches the plate
}

TEST(PitchFigures, TwoBallsApart) {
    // Ball 2 half a metre per second slower and dropping 1 m/s instead of 2: hand-computed.
    const DisplaySet one = along(107, 39, straight);
    const DisplaySet two = along(108, 91, [](double steps) {
        const double t = steps * kStep;
        return TrajPoint{static_cast<float>(1.0 * t), static_cast<float>(34.5 * t),
                         static_cast<float>(1.754 - 1.0 * t)};
    });
    const PairFigures pair = pairFigures(one, two);
    const double t1d = 11.19 / 35, t2d = 11.19 / 34.5, t1 = 18.44 / 35, t2 = 18.44 / 34.5;
    ASSERT_TRUE(pair.decisionGap && pair.plateGap && pair.ratio && pair.arrivalGap);
    EXPECT_NEAR(*pair.decisionGap, std::hypot(t2d - t1d, 2 * t1d - t2d), 1e-5);
    EXPECT_NEAR(*pair.plateGap, std::hypot(t2 - t1, 2 * t1 - t2), 1e-5);
    EXPECT_NEAR(*pair.ratio, *pair.plateGap / *pair.decisionGap, 1e-12);
    EXPECT_NEAR(*pair.arrivalGap, t2 - t1, 1e-5);

    // 0.2 mm apart at the decision point shows as 0.0 cm there: a plate gap, but no ratio.
    const PairFigures close = pairFigures(one, along(107, 39, [](double steps) {
        TrajPoint p = straight(steps);
        p.x += 0.0002f;
        return p;
    }));
    EXPECT_TRUE(close.plateGap && !close.ratio);

    const PairFigures alone = pairFigures(one, along(60, 100, straight));
    EXPECT_FALSE(alone.decisionGap || alone.plateGap || alone.ratio || alone.arrivalGap);
}

// A real pitch's crossing point: its time is the integration's own, found by giving the
// pass one loop index fewer until it no longer crosses.
TEST(PitchFigures, CrossingTimeOfRealPitches) {
    for (const char* kmh : {"125", "54", "160"}) {
        SCOPED_TRACE(kmh);
        PitchState s;
        SetupEntries e;
        Ball1Panel panel;
        panel.SpeedTxt_0 = kmh;
        SetBall1param(s, e, panel, [](PitchState&) {});  // aimed: nothing saved is read
        const PitchState start = s;
        integratePass(s, 1);
        DisplaySet set;
        fillFromTraj(set, s);
        int lo = 2;
        int hi = s.nstep;  // the least last loop index with which the pass crosses
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            PitchState t = start;
            t.nstep = static_cast<int16_t>(mid);
            integratePass(t, 1);
            if (t.traj[t.ntraj].y > kDist) {
                hi = mid;
            } else {
                lo = mid + 1;
            }
        }
        EXPECT_EQ(pointTime(set, s.ntraj), (lo - 1) * kStep);
    }
}

// Two pitches as thrown, their figures worked out by hand: one pair parts early (ratio below
// 1), one tunnels (above 3), one bounces after the decision point and has no plate figures,
// and one bounces before it and has no tunnel gap either.
TEST(TunnelFigures, AsPublishedTunnelAnalysisCounts) {
    const auto pitch = [](double releaseX, double decisionX, double vx,
                          std::pair<double, double> plate, double endHeight, double endY = 10) {
        ThrownPitch p;
        p.set = along(2, 100, [&](double steps) {
            const bool released = steps == 0;
            return TrajPoint{static_cast<float>(releaseX), static_cast<float>(released ? 1.8 : endY),
                             static_cast<float>(released ? 1.8 : endHeight)};
        });
        Crossing d;
        d.x = decisionX, d.y = kDist - kDecisionBeforePlate, d.z = 1.0;
        d.vx = vx, d.vy = 40, d.vz = -4;
        p.decision = d;
        Crossing at;
        at.x = plate.first, at.y = kDist, at.z = plate.second, at.time = 0.45 + vx / 100;
        p.plate = at;
        p.speedKmh = 140 + vx;
        return p;
    };
    const ThrownPitch fastball = pitch(0.5, 0, 0, {0, 0.2}, 1.0);
    const struct {
        const char* name;
        ThrownPitch other;
        std::optional<double> postTunnelBreak, ratio;
        bool tunnel = true;
    } pairs[] = {
        {"tunnels", pitch(0.53, 0.02, 1, {0.45, 0.6}, 1.0), 0.4710377506102881, 23.551887530514403},
        {"parts early", pitch(0.53, 0.3, 1, {0.55, 0.25}, 1.0), 0.0850091906795965,
         0.28336396893198834},
        {"bounces at 15.8 m", pitch(0.53, 0.02, 1, {0.45, 0.6}, 0.01, 16), {}, {}},
        {"bounces at 9.9 m", pitch(0.53, 0.02, 1, {0.45, 0.6}, 0.01), {}, {}, false},
    };
    for (const auto& p : pairs) {
        SCOPED_TRACE(p.name);
        const TunnelFigures f = tunnelFigures(fastball, p.other);
        EXPECT_NEAR(*f.releaseGap, 0.03, 1e-6);
        ASSERT_EQ(f.tunnelGap.has_value(), p.tunnel);
        if (p.tunnel) {
            EXPECT_NEAR(*f.tunnelGap, p.other.decision->x, 1e-12);
        }
        EXPECT_EQ(f.speedGap, 1);
        EXPECT_EQ(f.bounce[1].has_value(), !p.ratio);
        EXPECT_EQ(f.plateGap.has_value(), p.ratio.has_value());
        EXPECT_EQ(f.postTunnelBreak.has_value(), p.postTunnelBreak.has_value());
        if (!p.ratio) continue;
        EXPECT_NEAR(*f.postTunnelBreak, *p.postTunnelBreak, 1e-12);
        EXPECT_NEAR(*f.ratio, *p.ratio, 1e-9);
        EXPECT_NEAR(*f.arrivalGap, 0.01, 1e-12);
    }
}

}  // namespace
}  // namespace ball
