#include "bullpen/pitch_design.h"

#include <gtest/gtest.h>

#include "bullpen/arsenal.h"
#include "bullpen/arsenal_command.h"
#include "test_support.h"

namespace ball {
namespace {

// A 94 mph four-seamer as Rapsodo reads it: 16 in up, 9 in to the pitcher's right (kept as the
// catcher sees it), from 6 ft with 6.5 ft of extension to the middle of the zone.
PitchType fourSeamer() {
    PitchType t;
    t.type = "Fastball";
    t.speedKmh = 151.28, t.verticalCm = 40.64, t.horizontalCm = -22.86;
    t.rpm = 2280, t.efficiency = 90, t.tilt = Clock{1, 0};
    t.relHeightM = 1.83, t.relSideM = 0.55, t.extensionM = 1.98;
    t.plateHeightM = 0.75, t.plateSideM = 0;
    return t;
}

// Its predicted break against the measured, both signs of the horizontal, the direction of
// what is left, and the search for the efficiency whatever the file gives.
TEST(PitchDesign, ReadsWhatATypesSpinExplains) {
    const auto without = [](void (*change)(PitchType&)) {
        PitchType t = fourSeamer();
        change(t);
        return t;
    };
    const struct {
        const char* what;
        PitchType type;
        std::optional<double> implied;
        bool beyond;
        std::optional<DeviceBreak> predicted, unexplained;
        std::optional<Clock> unexplainedWay;
    } rows[] = {
        {"with its efficiency: predicted, and the rest unexplained", fourSeamer(), 78.72, false,
         DeviceBreak{43.93, 24.92}, DeviceBreak{-3.29, -2.06}, Clock{7, 4}},
        {"without one (Statcast): the same implied efficiency alone",
         without([](PitchType& t) { t.efficiency.reset(); }), 78.72, false, std::nullopt,
         std::nullopt, std::nullopt},
        {"a break longer than all the spin of its rate gives",
         without([](PitchType& t) { t.rpm = 1000; }), std::nullopt, true, DeviceBreak{25.52, 14.35},
         DeviceBreak{15.12, 8.51}, Clock{12, 59}},
        {"no spin rate: nothing to say", without([](PitchType& t) { t.rpm.reset(); }), std::nullopt,
         false, std::nullopt, std::nullopt, std::nullopt},
    };
    const auto near = [](const std::optional<DeviceBreak>& got,
                         const std::optional<DeviceBreak>& want) {
        ASSERT_EQ(got.has_value(), want.has_value());
        if (!want) return;
        EXPECT_NEAR(got->upCm, want->upCm, 0.01);
        EXPECT_NEAR(got->rightCm, want->rightCm, 0.01);
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const TypeDesign d = designOf(r.type);
        EXPECT_EQ(d.impliedEfficiencyPct, r.implied);
        EXPECT_EQ(d.beyondAllSpin, r.beyond);
        near(d.predicted, r.predicted);
        near(d.unexplained, r.unexplained);
        EXPECT_EQ(d.unexplainedClock, r.unexplainedWay);
    }
}

// Each figure set or moved as written; the break moves as far as the spin moves it, so what the
// spin does not explain stays; the plate place moves with it.
TEST(PitchDesign, WhatIfChangesOneFigureAndKeepsWhatSpinDoesNotExplain) {
    const struct {
        const char* change;
        double rpm, efficiency;
        Clock tilt;
        double upCm, catcherRightCm, plateHeightM;
    } rows[] = {
        {"type=Fastball,rpm=+200", 2480, 90, {1, 0}, 42.71, -24.07, 0.7707},
        {"type=Fastball,eff=-20", 2280, 70, {1, 0}, 34.52, -19.02, 0.6888},
        {"type=Fastball,tilt=+30", 2280, 90, {1, 30}, 32.57, -33.31, 0.6693},
        {"type=Fastball,tilt=2:00", 2280, 90, {2, 0}, 22.03, -41.32, 0.5639},
        {"type=Fastball,speed=-5", 2280, 90, {1, 0}, 41.52, -23.29, 0.7025},
        {"pitcher=\"\",type=Fastball,rpm=2000,eff=100", 2000, 100, {1, 0}, 40.11, -22.77, 0.7447},
        {"type=Fastball,altitude=1600,temp=+20", 2280, 90, {1, 0}, 32.78, -18.32, 0.6814},
    };
    const PitchType base = fourSeamer();
    const TypeDesign was = designOf(base);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.change);
        std::string error;
        const std::optional<WhatIf> w = parseWhatIf(r.change, error);
        ASSERT_TRUE(w) << error;
        EXPECT_EQ(w->type, "Fastball");
        const std::optional<PitchType> c = changedType(base, *w, error);
        ASSERT_TRUE(c) << error;
        EXPECT_EQ(*c->rpm, r.rpm);
        EXPECT_EQ(*c->efficiency, r.efficiency);
        EXPECT_EQ(*c->tilt, r.tilt);
        EXPECT_NEAR(c->verticalCm, r.upCm, 0.005);
        EXPECT_NEAR(c->horizontalCm, r.catcherRightCm, 0.005);
        EXPECT_NEAR(*c->plateHeightM, r.plateHeightM, 0.00005);
        EXPECT_NEAR(c->design.unexplained->upCm, was.unexplained->upCm, 0.005);
        EXPECT_NEAR(c->design.unexplained->rightCm, was.unexplained->rightCm, 0.005);
    }
    const struct {
        const char* change;
        const char* said;
    } refused[] = {
        {"rpm=+200", "names its type"},
        {"type=Fastball,spin=+200", "unknown what-if figure 'spin'"},
        {"type=Fastball,rpm=lots", "not a number or a signed change"},
        {"type=Fastball,tilt=13:00", "h:mm or signed minutes"},
        {"type=Fastball,eff=+20", "within"},  // 110 %
        {"type=Fastball,rpm=-3000", "within"},
        {"type=Fastball,temp=80", "not a number from -30 to 50"},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.change);
        std::string error;
        const std::optional<WhatIf> w = parseWhatIf(r.change, error);
        if (w) {
            EXPECT_FALSE(changedType(base, *w, error));
        }
        EXPECT_NE(error.find(r.said), std::string::npos) << error;
    }
    std::string error;
    // A quoted name keeps its comma.
    const std::optional<WhatIf> named =
        parseWhatIf("type=\"Split, hard\",pitcher=\"Sato, Kenta\",rpm=-100", error);
    ASSERT_TRUE(named) << error;
    EXPECT_EQ(named->type, "Split, hard");
    EXPECT_EQ(named->pitcher, "Sato, Kenta");
    EXPECT_EQ(named->rpm->value, -100);
    // What the file did not give stays unsaid: a Statcast type predicts nothing when changed.
    PitchType statcast = base;
    statcast.efficiency.reset(), statcast.tilt.reset();
    const std::optional<PitchType> faster =
        changedType(statcast, *parseWhatIf("type=Fastball,rpm=+200", error), error);
    ASSERT_TRUE(faster) << error;
    EXPECT_FALSE(faster->efficiency || faster->tilt || faster->design.predicted);
    EXPECT_GT(faster->verticalCm, base.verticalCm + 1);
    PitchType noSpin = base;
    noSpin.rpm.reset();
    EXPECT_FALSE(changedType(noSpin, *parseWhatIf("type=Fastball,rpm=+200", error), error));
    EXPECT_NE(error.find("no spin rate"), std::string::npos);
}

}  // namespace
}  // namespace ball
