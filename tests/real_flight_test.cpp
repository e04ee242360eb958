#include "physics/real_flight.h"

#include <gtest/gtest.h>

namespace ball {
namespace {

constexpr double kMph = 0.44704;  // m/s
constexpr double kInch = 0.0254;  // m

// Public figures for Major League pitches, each a band: a model whose lift, drag, efficiency or
// tilt went astray leaves at least one of them.
TEST(RealFlight, BreaksAsMeasuredPitchesDo) {
    struct Row {
        const char* pitch;
        double mph, rpm, efficiency, tiltDeg;
        double upLow, upHigh, rightLow, rightHigh;  // in
    };
    const Row rows[] = {
        {"backspin fastball, 12:00", 93, 2300, 100, 0, 17, 23, -1, 1},
        {"four-seamer, 1:00", 94, 2280, 90, 30, 13.5, 18.5, 6.5, 12},
        {"gyro slider", 87, 2500, 5, 90, -1, 4, -4, 4},
        {"curve, 7:00", 79, 2600, 85, 210, -22, -15, -13.5, -8},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.pitch);
        // From 6 ft to the middle of the zone, as such pitches are thrown.
        const std::optional<RealPitch> p = aimReal({.speedMs = r.mph * kMph,
                                                    .rpm = r.rpm,
                                                    .efficiencyPct = r.efficiency,
                                                    .tiltDeg = r.tiltDeg,
                                                    .releaseHeightM = 1.83},
                                                   0, 0.75);
        ASSERT_TRUE(p);
        const std::optional<RealFlight> f = flyReal(*p);
        ASSERT_TRUE(f);
        EXPECT_GE(f->verticalM / kInch, r.upLow);
        EXPECT_LE(f->verticalM / kInch, r.upHigh);
        EXPECT_GE(f->horizontalM / kInch, r.rightLow);
        EXPECT_LE(f->horizontalM / kInch, r.rightHigh);
    }
}

TEST(RealFlight, FliesFiftyFourFeetInTheMeasuredTime) {
    const std::optional<RealFlight> f =
        flyReal({.speedMs = 93 * kMph, .rpm = 2300, .elevationDeg = -1.5});
    ASSERT_TRUE(f);
    EXPECT_GE(f->time, 0.40);
    EXPECT_LE(f->time, 0.42);
    EXPECT_LT(f->plateSpeedMs, 93 * kMph * 0.94);  // drag takes about 8 %
}

TEST(RealFlight, ThinnerAirLiftsAndSlowsLess) {
    struct Row {
        const char* air;
        Air a;
        double density;
    };
    const Row rows[] = {
        {"sea level, 20 °C, 50 %", {}, 1.1994},
        {"Denver, 1600 m", {.altitudeM = 1600}, 0.9862},
        {"a cold dry night", {.temperatureC = 0, .humidityPct = 0}, 1.2929},
        {"the station's own pressure", {.pressureHpa = 900.0}, 1.0650},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.air);
        EXPECT_NEAR(airDensity(r.a), r.density, 5e-4);
    }
    const RealPitch fastball{.speedMs = 42, .rpm = 2300, .elevationDeg = -1.5};
    const RealFlight sea = *flyReal(fastball), denver = *flyReal(fastball, rows[1].a);
    EXPECT_LT(denver.verticalM, sea.verticalM - 0.05);
    EXPECT_GT(denver.plateSpeedMs, sea.plateSpeedMs);
}

TEST(RealFlight, AimsAtAPlace) {
    const RealPitch p{.speedMs = 40,
                      .rpm = 2200,
                      .efficiencyPct = 90,
                      .tiltDeg = 30,
                      .releaseHeightM = 1.75,
                      .releaseSideM = 0.5};
    const std::optional<RealPitch> aimed = aimReal(p, -0.1, 0.7);
    ASSERT_TRUE(aimed);
    const RealFlight f = *flyReal(*aimed);
    EXPECT_NEAR(f.plateSideM, -0.1, 0.001);
    EXPECT_NEAR(f.plateHeightM, 0.7, 0.001);
    EXPECT_FALSE(flyReal({.speedMs = 2, .elevationDeg = -10}));  // too slow to arrive in 5 s
}

}  // namespace
}  // namespace ball
