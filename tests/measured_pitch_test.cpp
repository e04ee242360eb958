#include "session/measured_pitch.h"

#include <gtest/gtest.h>

#include <cmath>

#include "display/display_set.h"
#include "display/pitch_figures.h"
#include "files/initdir_file.h"
#include "files/number_text.h"
#include "physics/trajectory.h"
#include "test_support.h"

namespace ball {
namespace {

// Clock readings, both ways, with the wrap at 6:00 and 12:00; the efficient part of the spin.
TEST(MeasuredPitch, Conversions) {
    const struct {
        const char* text;
        std::optional<Clock> clock;
        double angle;
    } clocks[] = {
        {"12:00", Clock{12, 0}, 0},        {"1:30", Clock{1, 30}, 45},
        {"3:00", Clock{3, 0}, 90},         {"6:00", Clock{6, 0}, 180},
        {"9:00", Clock{9, 0}, -90},        {"11:59", Clock{11, 59}, -0.5},
        {"６：０１", Clock{6, 1}, -179.5}, {"13:00", std::nullopt, 0},
        {"0:30", std::nullopt, 0},         {"1:60", std::nullopt, 0},
        {"1:5x", std::nullopt, 0},         {"", std::nullopt, 0},
    };
    for (const auto& c : clocks) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseClock(c.text), c.clock);
        if (!c.clock) continue;
        EXPECT_EQ(clockToAxisAngle(*c.clock), c.angle);
        EXPECT_EQ(axisAngleToClock(c.angle), *c.clock);
    }
    EXPECT_EQ(axisAngleToClock(-180), (Clock{6, 0}));
    EXPECT_EQ(clockText(Clock{1, 5}), "1:05");
    EXPECT_NEAR(liftingSpin(2300, 95), 36.416667, 1e-6);
}

// The break of the pitch a panel throws, as the figures compute it.
Break thrown(const Ball1Panel& panel) {
    PitchState s;
    SetupEntries e;
    SetBall1param(s, e, panel, [](PitchState&) {});
    GetBall1traj(s);
    DisplaySet set;
    fillFromTraj(set, s);
    return *ballBreak(set);
}

// A break in, the lowest spin that gives it back out, to the hundredth: thrown from the filled
// panel, the same break within kBreakMatch, with the spin no higher than the one that made it.
TEST(MeasuredPitch, FitFromTheBreakGivesItBack) {
    const struct {
        const char* name;
        const char* speed;
        const char* spin;  // what made the break
        const char* axis;
        const char* fitted;
        const char* measured = nullptr;  // vertical,horizontal in cm, in place of a thrown break
    } pitches[] = {
        {"the default", "125", "30", "0", "29.96"},
        {"a slider", "135", "40", "-60", "39.86"},
        {"a shoot just below 20 rev/s, where the drag steps", "125", "19.5", "100", "19.46"},
        {"a slow curve", "90", "25", "-135", "24.90"},
        // The aimed throw of the first spin a quick throw reaches it with falls 0.51 cm short.
        {"a slow large sinker", "74.4", "", "", "52.51", "-113.5,17.4"},
    };
    for (const auto& p : pitches) {
        SCOPED_TRACE(p.name);
        test::ScopedWorkDir dir;
        Ball1Panel panel;
        panel.SpeedTxt_0 = p.speed;
        panel.Omega0Txt_0 = panel.Omega1Txt_0 = p.spin;
        panel.thitaTxtBox_0 = p.axis;
        MeasuredPitch m{.speed = p.speed, .bySpin = false};
        Break measured{};
        if (p.measured) {
            const std::string given = p.measured;
            m.vertical = given.substr(0, given.find(','));
            m.horizontal = given.substr(given.find(',') + 1);
            measured = {-std::stod(m.horizontal) / 100, std::stod(m.vertical) / 100};
        } else {
            measured = thrown(panel);
            m.vertical = shortestText(measured.vertical * 100);
            m.horizontal = shortestText(-measured.horizontal * 100);  // the pitcher's right +
        }
        const PanelFill fill = fillFromMeasurement(
            m, 1, Ball1Panel{}, Ball2Panel{}, [](PitchState& s) { readInitdir(s, kInitdirFile); });
        ASSERT_EQ(fill.error, "");
        EXPECT_EQ(fill.spin, p.fitted);
        panel.Omega0Txt_0 = panel.Omega1Txt_0 = fill.spin;
        panel.thitaTxtBox_0 = fill.axis;
        const Break back = thrown(panel);
        EXPECT_LE(
            std::hypot(back.horizontal - measured.horizontal, back.vertical - measured.vertical),
            kBreakMatch);
    }
}

// A pitch thrown as measured: from its own release point, aimed at where it crossed the plate,
// with the spin fitted to its break from there. It starts at the release point, crosses within
// 1 cm of the location and breaks within 0.5 cm, and its velocity at the plate is the flight's.
TEST(MeasuredPitch, ThrownAsMeasured) {
    test::ScopedWorkDir dir;
    const Delivery from{.releaseX = 0.6, .releaseY = 1.8, .releaseZ = 1.8,
                        .plateX = 0.1, .plateZ = 0.75};
    const MeasuredPitch m{.speed = "145", .bySpin = false, .vertical = "40", .horizontal = "20"};
    const PanelFill fill = fillFromMeasurement(m, 1, Ball1Panel{}, Ball2Panel{},
                                               [](PitchState&) {}, from);
    ASSERT_EQ(fill.error, "");
    Ball1Panel panel;
    panel.SpeedTxt_0 = fill.speed;
    panel.Omega0Txt_0 = panel.Omega1Txt_0 = fill.spin;
    panel.thitaTxtBox_0 = fill.axis;
    PitchState s;
    SetupEntries e;
    SetBall1param(s, e, panel, [](PitchState&) {});
    applyDelivery(s, from);
    ASSERT_TRUE(GetBall1traj(s).onTarget);
    DisplaySet set;
    fillFromTraj(set, s);
    EXPECT_EQ(s.traj[1].x, 0.6f);
    EXPECT_EQ(s.traj[1].y, 1.8f);
    EXPECT_EQ(s.traj[1].z, 1.8f);
    const std::optional<PlanePass> plate = passAt(set, kDist);
    ASSERT_TRUE(plate);
    EXPECT_LT(std::hypot(-plate->lateral - from.plateX, plate->height - from.plateZ), 0.01);
    const Break b = *ballBreak(set);
    EXPECT_LT(std::hypot(b.vertical - 0.40, b.horizontal + 0.20), kBreakMatch);
    // The crossing flown again is the drawn one, with the flight's own velocity there.
    const std::optional<Crossing> c = crossingAt(s, kDist);
    ASSERT_TRUE(c);
    EXPECT_NEAR(c->x, -plate->lateral, 1e-4);
    EXPECT_NEAR(c->z, plate->height, 1e-4);
    EXPECT_NEAR(c->time, plate->time, 1e-4);
    EXPECT_LT(c->vy, 145 / 3.6);
    EXPECT_GT(c->vy, 120 / 3.6);
}

// By spin through the realistic model: a 145 km/h, 2300 rpm, 95 % fastball at 1:00 breaks as the
// realistic model has it, and the panel gets the program's own spin for that break, about 0.7 of
// the efficient spin, to the pitcher's right as the tilt points.
TEST(MeasuredPitch, BySpinThroughTheRealisticModel) {
    test::ScopedWorkDir dir;
    const Delivery from{
        .releaseX = 0.5, .releaseY = 1.9, .releaseZ = 1.8, .plateX = 0, .plateZ = 0.75};
    const MeasuredPitch m{
        .speed = "145", .realistic = true, .rpm = "2300", .efficiency = "95", .tilt = "1:00"};
    const PanelFill fill = fillFromMeasurement(
        m, 1, Ball1Panel{}, Ball2Panel{}, [](PitchState&) {}, from);
    ASSERT_EQ(fill.error, "");
    EXPECT_EQ(fill.found.rfind("実際の球に近いモデルの変化量 縦 47.0 cm、横 26.7 cm", 0), 0u)
        << fill.found;
    EXPECT_NEAR(std::stod(fill.axis), 29.6, 0.05);
    EXPECT_LT(std::stod(fill.spin), liftingSpin(2300, 95) * 0.75);
}

// What cannot be a measurement names its field and range, and fills nothing.
TEST(MeasuredPitch, BadInputNamesTheField) {
    const struct {
        MeasuredPitch m;
        const char* names;
    } rows[] = {
        {{.speed = "", .rpm = "2300", .efficiency = "100", .tilt = "12:00"}, "「球速」"},
        {{.speed = "125", .rpm = "2300rpm", .efficiency = "100", .tilt = "12:00"}, "「回転数」"},
        {{.speed = "125", .rpm = "2300", .efficiency = "120", .tilt = "12:00"}, "「回転効率」"},
        {{.speed = "125", .rpm = "2300", .efficiency = "100", .tilt = "13:00"}, "「回転軸の向き」"},
        {{.speed = "125", .bySpin = false, .vertical = "200", .horizontal = "0"}, "「縦の変化量」"},
        {{.speed = "125", .bySpin = false, .vertical = "0", .horizontal = "x"}, "「横の変化量」"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.names);
        const PanelFill fill =
            fillFromMeasurement(r.m, 1, Ball1Panel{}, Ball2Panel{}, [](PitchState&) {});
        EXPECT_NE(fill.error.find(r.names), std::string::npos) << fill.error;
    }
}

}  // namespace
}  // namespace ball
