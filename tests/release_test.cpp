#include "physics/release.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_support.h"

namespace ball {
namespace {

TEST(Setinit, AimCorrection) {
    struct Row {
        const char* name;
        int16_t noaim;
        int16_t icount;
        float zfin;
        double xfin;
        double dAlpha;
        double dBeta;
    };
    // Target at (0, 0.85).
    const Row rows[] = {
        {"first pass is not corrected", 0, 1, 0.75f, 0.05, 0, 0},
        {"unaimed is never corrected", 1, 5, 0.75f, 0.05, 0, 0},
        {"on target leaves the angles", 0, 2, 0.85f, 0.0, 0, 0},
        {"0.1 m low raises alpha", 0, 2, 0.75f, 0.0, 0.005423, 0},
        {"0.05 m to +x lowers beta", 0, 3, 0.85f, 0.05, 0, -0.002711},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        PitchState s = test::defaultBall1State();
        s.noaim = r.noaim;
        s.zfin = r.zfin;
        s.xfin = r.xfin;
        const double alpha = s.alpha;
        setinit(s, r.icount);
        EXPECT_NEAR(s.alpha - alpha, r.dAlpha, 5e-7);
        EXPECT_NEAR(s.beta, r.dBeta, 5e-7);
        if (r.dAlpha == 0) {
            EXPECT_EQ(s.alpha, alpha);
        }
    }
}

TEST(Setinit, HeightMissPassesThroughSinglePrecision) {
    PitchState s = test::defaultBall1State();
    s.alpha = 0;
    s.ztgt = 0.85f;
    s.zfin = 0.7123456f;
    const int16_t second = 2;
    setinit(s, second);
    const float dz = 0.85f - 0.7123456f;
    EXPECT_EQ(s.alpha, std::atan(double{dz} / 18.44));
}

TEST(Setinit, ReleaseStateAndForces) {
    PitchState s = test::defaultBall1State();
    s.alpha = 0;
    s.beta = 0;
    s.x = s.y = s.z = 9;
    const int16_t first = 1;
    setinit(s, first);
    EXPECT_EQ(s.x, 0.0);
    EXPECT_EQ(s.y, 0.0);
    EXPECT_EQ(s.z, 1.754);
    EXPECT_EQ(s.vx, 0.0);
    EXPECT_EQ(s.vy, s.vrel0);
    EXPECT_EQ(s.vz, 0.0);
    EXPECT_EQ(s.omega, s.omega0);
    EXPECT_LT(s.ay, 0.0);
}

}  // namespace
}  // namespace ball
