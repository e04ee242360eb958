#include "setup/ball_setup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "files/initdir_file.h"
#include "test_support.h"

namespace ball {
namespace {

constexpr double kTol = 5e-7;  // the figures are given to six decimals

// The saved direction as the session gives it: "initdir.txt" in the working folder.
void fromFile(PitchState& s) { readInitdir(s, kInitdirFile); }

struct Ball1Row {
    const char* name;
    std::function<void(Ball1Panel&)> edit;
    double xtgt;
    double ztgt;
    double beta;
    double alpha;  // NAN: not checked
};

TEST(SetBall1param, TargetCells) {
    const Ball1Row rows[] = {
        {"defaults", [](Ball1Panel&) {}, 0, 0.85, 0, -0.014211},
        {"column 1 row 1", [](Ball1Panel& p) { p.TargetPTxt_0 = "1"; p.TargetPTxt_1 = "1"; },
         0.383333, 1.416667, 0.020781, 0.016517},
        {"column 5 row 5", [](Ball1Panel& p) { p.TargetPTxt_0 = "5"; p.TargetPTxt_1 = "5"; },
         -0.383333, 0.283333, -0.020781, -0.044912},
        {"a column fraction is kept", [](Ball1Panel& p) { p.TargetPTxt_0 = "2.5"; },
         0.095833, 0.85, NAN, NAN},
        {"row 2.5 rounds to 2", [](Ball1Panel& p) { p.TargetPTxt_1 = "2.5"; },
         0, 1.133333, 0, NAN},
        {"row 3.5 rounds to 4", [](Ball1Panel& p) { p.TargetPTxt_1 = "3.5"; },
         0, 0.566667, 0, NAN},
    };
    for (const Ball1Row& r : rows) {
        SCOPED_TRACE(r.name);
        PitchState s;
        SetupEntries e;
        Ball1Panel panel;
        r.edit(panel);
        const OptionWrites w = SetBall1param(s, e, panel, fromFile);
        EXPECT_NEAR(s.xtgt, r.xtgt, kTol);
        EXPECT_NEAR(s.ztgt, r.ztgt, kTol);
        if (!std::isnan(r.beta)) {
            EXPECT_NEAR(s.beta, r.beta, kTol);
        }
        if (!std::isnan(r.alpha)) {
            EXPECT_NEAR(s.alpha, r.alpha, kTol);
        }
        EXPECT_EQ(s.noaim, 0);
        EXPECT_EQ(w.TargetOP_1, false);
        EXPECT_EQ(s.xrel0, 0.0);
        EXPECT_EQ(s.yrel0, 0.0);
        EXPECT_EQ(s.zrel0, 1.754);
    }
}

TEST(SetBall1param, Defaults) {
    PitchState s;
    SetupEntries e;
    const OptionWrites w = SetBall1param(s, e, Ball1Panel{}, fromFile);
    EXPECT_NEAR(s.vrel0, 34.722222, kTol);
    EXPECT_NEAR(s.dist / s.vrel0, 0.531072, kTol);
    EXPECT_EQ(s.nstep, 12746);
    EXPECT_EQ(s.domega, 0.0);
    EXPECT_EQ(s.omega, 30.0);
    EXPECT_EQ(s.omega0, 30.0);
    EXPECT_EQ(s.ikind, 1);
    EXPECT_EQ(s.thita, 0.0);
    EXPECT_EQ(s.ztgt, 0.85f);
    EXPECT_EQ(s.dt, 0.00005);
    EXPECT_EQ(s.pi, 3.1416f);
    EXPECT_FALSE(w.gyroOpb);
    // The hand-filled state of the physics tests is what setup leaves.
    const PitchState ref = test::defaultBall1State();
    EXPECT_EQ(s.alpha, ref.alpha);
    EXPECT_EQ(s.vrel0, ref.vrel0);
}

TEST(SetBall1param, SpeedSpinAndKind) {
    struct Row {
        const char* name;
        std::function<void(Ball1Panel&)> edit;
        std::function<void(const PitchState&, const OptionWrites&)> check;
    };
    const Row rows[] = {
        {"spin 30 and 20", [](Ball1Panel& p) { p.Omega1Txt_0 = "20"; },
         [](const PitchState& s, const OptionWrites&) {
             EXPECT_NEAR(s.domega, 18.829839, kTol);
             EXPECT_EQ(s.omega, 30.0);
             EXPECT_EQ(s.omega0, 30.0);
         }},
        {"48.7 km/h", [](Ball1Panel& p) { p.SpeedTxt_0 = "48.7"; },
         [](const PitchState& s, const OptionWrites&) { EXPECT_EQ(s.nstep, 32715); }},
        {"shoot", [](Ball1Panel& p) { p.thitaTxtBox_0 = "90"; },
         [](const PitchState& s, const OptionWrites&) {
             EXPECT_EQ(s.thita, double{3.1416f} * 90 / 180);
         }},
        {"gyro 10 and -5",
         [](Ball1Panel& p) {
             p.OrdinaryOpb_0 = false;
             p.thitaTxtBox_0 = "45";
             p.Text2_0 = "10";
             p.Text2_2 = "-5";
         },
         [](const PitchState& s, const OptionWrites& w) {
             EXPECT_EQ(s.ikind, 0);
             EXPECT_EQ(s.thita, 0.0);
             EXPECT_NEAR(s.gyroelev, 0.174533, kTol);
             EXPECT_EQ(s.gyroside, static_cast<float>(double{3.1416f} * -5 / 180));
             EXPECT_TRUE(w.gyroOpb);
         }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        PitchState s;
        SetupEntries e;
        Ball1Panel panel;
        r.edit(panel);
        const OptionWrites w = SetBall1param(s, e, panel, fromFile);
        r.check(s, w);
    }
}

TEST(SetBall1param, Errors) {
    struct Row {
        const char* name;
        std::function<void(Ball1Panel&)> edit;
        ErrorKind kind;
        std::string detail;
        std::string box = {};  // the box an error points at
    };
    const Row rows[] = {
        {"speed 0", [](Ball1Panel& p) { p.SpeedTxt_0 = "0"; }, ErrorKind::DivisionByZero, ""},
        {"empty speed", [](Ball1Panel& p) { p.SpeedTxt_0 = ""; }, ErrorKind::DivisionByZero, ""},
        {"text speed", [](Ball1Panel& p) { p.SpeedTxt_0 = "fast"; }, ErrorKind::DivisionByZero,
         ""},
        {"48.6 km/h", [](Ball1Panel& p) { p.SpeedTxt_0 = "48.6"; }, ErrorKind::Overflow, ""},
        // A negative speed would fly no step; it is refused before anything is computed.
        {"-20 km/h", [](Ball1Panel& p) { p.SpeedTxt_0 = "-20"; }, ErrorKind::NegativeSpeed, "",
         "SpeedTxt(0)"},
        {"-125 km/h", [](Ball1Panel& p) { p.SpeedTxt_0 = "-125"; }, ErrorKind::NegativeSpeed,
         "", "SpeedTxt(0)"},
        {"row beyond int16", [](Ball1Panel& p) { p.TargetPTxt_1 = "40000"; },
         ErrorKind::Overflow, "", "TargetPTxt(1)"},
        {"spin beyond float64", [](Ball1Panel& p) { p.Omega0Txt_0 = "1e999"; },
         ErrorKind::Overflow, "", "Omega0Txt(0)"},
        {"row term beyond int16", [](Ball1Panel& p) { p.TargetPTxt_1 = "-32765"; },
         ErrorKind::Overflow, ""},
        {"speed beyond float64", [](Ball1Panel& p) { p.SpeedTxt_0 = "1e400"; },
         ErrorKind::Overflow, "", "SpeedTxt(0)"},
        {"target off without the file", [](Ball1Panel& p) { p.TargetOP_0 = false; },
         ErrorKind::FileNotFound, "initdir.txt"},
        // The saved direction is read last: the speed's error comes first.
        {"speed 0, target off, no file",
         [](Ball1Panel& p) {
             p.SpeedTxt_0 = "0";
             p.TargetOP_0 = false;
         },
         ErrorKind::DivisionByZero, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        test::ScopedWorkDir dir;
        PitchState s;
        SetupEntries e;
        Ball1Panel panel;
        r.edit(panel);
        test::expectRunError([&] { SetBall1param(s, e, panel, fromFile); }, r.kind, r.detail,
                             r.box);
    }
}

TEST(SetBall1param, SpeedZeroStopsAfterTheSpeed) {
    PitchState s;
    SetupEntries e;
    Ball1Panel panel;
    panel.SpeedTxt_0 = "0";
    panel.Omega0Txt_0 = "25";
    EXPECT_THROW(SetBall1param(s, e, panel, fromFile), RunError);
    EXPECT_EQ(s.dist, 18.44);
    EXPECT_EQ(e.omg1[0], 25.0);
    EXPECT_EQ(s.nstep, 0);
    EXPECT_EQ(s.omega0, 0.0);
}

TEST(SetBall1param, RowTermAtTheInt16Edge) {
    PitchState s;
    SetupEntries e;
    Ball1Panel panel;
    panel.TargetPTxt_1 = "-32764";
    SetBall1param(s, e, panel, fromFile);
    EXPECT_EQ(s.ztgt, static_cast<float>(0.85 + (1.7 * (32767 * 0.5)) / 3));
}

TEST(SetBall1param, TargetOffReadsTheSavedDirection) {
    struct Row {
        const char* file;
        double alpha;
        double zrel0;
    };
    const Row rows[] = {
        {"-0.005843348531913104,0,0,0,1.754\r\n", -0.005843348531913104, 1.754},
        {"0.25\r\n-0.125\r\n0.5,1.5\n2", 0.25, 2},
        {"  1 , 2 , 3 , 4 , 5 ", 1, 5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        test::ScopedWorkDir dir;
        test::writeFile("initdir.txt", r.file);
        PitchState s;
        SetupEntries e;
        Ball1Panel panel;
        panel.TargetOP_0 = false;
        const OptionWrites w = SetBall1param(s, e, panel, fromFile);
        EXPECT_EQ(s.noaim, 1);
        EXPECT_FALSE(w.TargetOP_1.has_value());
        EXPECT_EQ(s.alpha, r.alpha);
        EXPECT_EQ(s.zrel0, r.zrel0);
        EXPECT_NEAR(s.xtgt, 0.575, 1e-7);  // column and row read as 0
        EXPECT_EQ(s.ztgt, 1.7f);
    }
}

TEST(SetBall2param, Defaults) {
    test::ScopedWorkDir dir;
    test::writeFile("initdir.txt", "-0.01,0.002,0.1,0.2,1.7\r\n");
    PitchState s;
    s.noaim = 0;
    s.xtgt = 0.2;
    s.ztgt = 0.5f;
    SetupEntries e;
    e.speed1 = 99;
    const OptionWrites w = SetBall2param(s, e, Ball2Panel{}, fromFile);
    EXPECT_NEAR(s.vrel0, 34.722222, kTol);
    EXPECT_EQ(s.nstep, 12746);
    EXPECT_EQ(s.domega, 0.0);
    EXPECT_EQ(s.omega, 10.0);
    EXPECT_EQ(s.omega0, 10.0);
    EXPECT_EQ(s.ikind, 1);
    EXPECT_EQ(s.thita, double{3.1416f} * 90 / 180);
    EXPECT_NEAR(s.thita, 1.5708, 1e-7);
    EXPECT_FALSE(w.gyroOpb);
    EXPECT_EQ(s.alpha, -0.01);
    EXPECT_EQ(s.beta, 0.002);
    EXPECT_EQ(s.xrel0, 0.1);
    EXPECT_EQ(s.yrel0, 0.2);
    EXPECT_EQ(s.zrel0, 1.7);
    // What belongs to Ball 1 stays.
    EXPECT_EQ(s.noaim, 0);
    EXPECT_EQ(s.xtgt, 0.2);
    EXPECT_EQ(s.ztgt, 0.5f);
    EXPECT_EQ(e.speed1, 99.0);
}

TEST(SetBall2param, SinglePrecisionEntriesAndGyroBoxes) {
    struct Row {
        const char* horizontal;  // Text2(4)
        const char* side;        // Text2(3)
        double gyroelev;
        double gyroside;
    };
    const Row rows[] = {{"10", "-5", 0.174533, -0.087267}, {"-5", "10", -0.087267, 0.174533}};
    for (const Row& r : rows) {
        test::ScopedWorkDir dir;
        test::writeFile("initdir.txt", "0,0,0,0,1.754\r\n");
        PitchState s;
        SetupEntries e;
        Ball2Panel panel;
        panel.OrdinaryOpb_1 = false;
        panel.Text2_4 = r.horizontal;
        panel.Text2_3 = r.side;
        panel.Omega0Txt_1 = "30.1";
        panel.Omega1Txt_1 = "20";
        const OptionWrites w = SetBall2param(s, e, panel, fromFile);
        EXPECT_TRUE(w.gyroOpb);
        EXPECT_EQ(s.ikind, 0);
        EXPECT_EQ(s.thita, 0.0);
        EXPECT_NEAR(s.gyroelev, r.gyroelev, kTol);
        EXPECT_NEAR(s.gyroside, r.gyroside, kTol);
        EXPECT_EQ(s.omega, double{30.1f});
        EXPECT_EQ(s.domega, double{30.1f - 20.0f} / (s.dist / s.vrel0));
    }
}

TEST(SetBall2param, Errors) {
    struct Row {
        const char* name;
        const char* file;  // nullptr: no file
        const char* speed;
        ErrorKind kind;
    };
    const Row rows[] = {
        {"no saved direction", nullptr, "125", ErrorKind::FileNotFound},
        {"four numbers", "1,2,3,4\r\n", "125", ErrorKind::InputPastEndOfFile},
        {"empty file", "", "125", ErrorKind::InputPastEndOfFile},
        {"not a number", "1,2,x,4,5\r\n", "125", ErrorKind::BadFileData},
        {"release point beyond float32", "0,0,0,0,1e39\r\n", "125", ErrorKind::Overflow},
        {"speed 0, no file", nullptr, "0", ErrorKind::DivisionByZero},
        {"48.6 km/h", "1,2,3,4,5\r\n", "48.6", ErrorKind::Overflow},
        {"-125 km/h, no file", nullptr, "-125", ErrorKind::NegativeSpeed},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        test::ScopedWorkDir dir;
        if (r.file) test::writeFile("initdir.txt", r.file);
        PitchState s;
        SetupEntries e;
        Ball2Panel panel;
        panel.SpeedTxt_1 = r.speed;
        const bool fileError = std::string(r.speed) == "125";
        test::expectRunError([&] { SetBall2param(s, e, panel, fromFile); }, r.kind,
                             fileError ? "initdir.txt" : "");
    }
}

}  // namespace
}  // namespace ball
