#include "physics/trajectory.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <sstream>

#include "golden.h"
#include "test_support.h"

namespace ball {
namespace {

// A ball with no air and no gravity: it flies straight at constant speed along y.
PitchState coastingBall(double vy, int nstep) {
    PitchState s = test::defaultBall1State();
    s.rho = 0;
    s.g = 0;
    s.alpha = 0;
    s.beta = 0;
    s.vrel0 = vy;
    s.nstep = static_cast<int16_t>(nstep);
    s.noaim = 1;
    return s;
}

TEST(GetBall1traj, PointCounts) {
    struct Row {
        const char* name;
        double vy;
        int nstep;
        int ntraj;
        bool crosses;
    };
    const double dt = 0.00005;
    const Row rows[] = {
        // Crossing at loop index i leaves 2 + (i - 1) / 100 points.
        {"crosses at 11017", 18.44 / (11015.5 * dt), 12746, 112, true},
        {"crosses at 11001", 18.44 / (10999.5 * dt), 12746, 112, true},
        {"crosses at 11000", 18.44 / (10998.5 * dt), 12746, 111, true},
        {"never crosses", 1.0, 12746, 128, false},
        {"never crosses, 150 steps", 1.0, 150, 2, false},
        {"one step", 1.0, 1, 1, false},
        {"no steps", 1.0, -40, 1, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        PitchState s = coastingBall(r.vy, r.nstep);
        s.xfin = 7;
        s.zfin = 8;
        s.traj[r.ntraj + 1] = {5, 5, 5};
        EXPECT_EQ(GetBall1traj(s).passes, 1);
        EXPECT_EQ(s.ntraj, r.ntraj);
        EXPECT_EQ(s.traj[1].z, 1.754f);
        EXPECT_EQ(s.traj[r.ntraj + 1].x, 5.0f) << "points beyond the count stay as they were";
        if (r.crosses) {
            EXPECT_GT(s.traj[r.ntraj].y, 18.44f);
            EXPECT_EQ(s.xfin, 0.0);
            EXPECT_EQ(s.zfin, 1.754f);
        } else {
            EXPECT_EQ(s.xfin, 7.0);
            EXPECT_EQ(s.zfin, 8.0f);
        }
    }
}

TEST(GetBall1traj, StoresEveryHundredthStep) {
    PitchState s = coastingBall(10.0, 450);
    GetBall1traj(s);
    ASSERT_EQ(s.ntraj, 5);
    for (int n = 2; n <= 5; ++n) {
        // Point n is the state after loop index 100 (n - 1): elapsed time (index - 1) dt.
        EXPECT_NEAR(s.traj[n].y, 10.0 * (100 * (n - 1) - 1) * 0.00005, 1e-5) << n;
    }
}

TEST(GetBall1traj, ThreeHundredFirstPointIsAnError) {
    PitchState s = coastingBall(0.5, 30000);
    test::expectRunError([&] { GetBall1traj(s); }, ErrorKind::SubscriptOutOfRange);
    EXPECT_EQ(s.ntraj, 300);
    EXPECT_NEAR(s.traj[300].y, 0.5 * 29899 * 0.00005, 1e-5);
}

TEST(GetBall1traj, SlowRealPitchOverflowsTheBuffer) {
    // 48.7 km/h: the slowest speed whose step count fits; its flight needs more than 300 points.
    PitchState s = test::defaultBall1State();
    s.vrel0 = 48.7 * 1000 / 3600;
    s.nstep = 32715;
    s.noaim = 1;
    s.alpha = 0.3;
    test::expectRunError([&] { GetBall1traj(s); }, ErrorKind::SubscriptOutOfRange);
    EXPECT_EQ(s.ntraj, 300);
}

TEST(GetBall1traj, AimingStopRules) {
    struct Row {
        const char* name;
        double xtgt;
        int passes;
        bool onTarget;
    };
    // The ball never reaches the plane, so every pass sees the same stale miss from xfin = 0.
    const Row rows[] = {
        {"within the tolerance", 0.005, 1, true},
        {"a miss of exactly 0.01 stops", 0.01, 1, true},
        {"just beyond the tolerance", 0.0100001, 11, false},
        {"never met", 0.5, 11, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        PitchState s = coastingBall(1.0, 10);
        s.noaim = 0;
        s.xtgt = r.xtgt;
        s.ztgt = 0.85f;
        s.zfin = 0.85f;
        s.xfin = 0;
        const AimResult aim = GetBall1traj(s);
        EXPECT_EQ(aim.passes, r.passes);
        EXPECT_EQ(aim.onTarget, r.onTarget);
        // Each pass after the first turns beta by the same stale miss.
        EXPECT_NEAR(s.beta, (r.passes - 1) * std::atan(r.xtgt / 18.44), 1e-12);
    }
}

TEST(GetBall1traj, UnaimedKeepsItsAngles) {
    PitchState s = test::defaultBall1State();
    s.noaim = 1;
    s.xtgt = 0.5;  // far off: an aimed run would turn beta
    EXPECT_EQ(GetBall1traj(s).passes, 1);
    EXPECT_EQ(s.alpha, -0.014210547108888109);
    EXPECT_EQ(s.beta, 0);
}

TEST(GetBall1traj, DefaultAimedPitchMatchesTheReference) {
    const test::Golden& ref = test::golden();
    PitchState s = test::defaultBall1State();

    const AimResult aim = GetBall1traj(s);
    EXPECT_EQ(aim.passes, ref.ball1Passes);
    EXPECT_TRUE(aim.onTarget);
    EXPECT_EQ(s.xfin, ref.ball1Xfin);
    EXPECT_EQ(s.zfin, ref.ball1Zfin);
    EXPECT_LE(std::hypot(s.xfin, s.zfin - 0.85), 0.01);
    ASSERT_EQ(s.ntraj, static_cast<int>(ref.ball1.size()));
    for (int i = 1; i <= s.ntraj; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(s.traj[i].x, ref.ball1[i - 1].x);
        EXPECT_EQ(s.traj[i].y, ref.ball1[i - 1].y);
        EXPECT_EQ(s.traj[i].z, ref.ball1[i - 1].z);
    }
    EXPECT_EQ((std::vector<double>{s.alpha, s.beta, s.xrel0, s.yrel0, s.zrel0}),
              test::readDoubles(ref.ball1Initdir));
}

TEST(GetBall1traj, SameInputsSameResult) {
    PitchState a = test::defaultBall1State();
    PitchState b = test::defaultBall1State();
    GetBall1traj(a);
    GetBall1traj(b);
    EXPECT_EQ(a.alpha, b.alpha);
    EXPECT_EQ(a.beta, b.beta);
    for (int i = 1; i <= a.ntraj; ++i) EXPECT_EQ(a.traj[i].z, b.traj[i].z);
}

}  // namespace
}  // namespace ball
