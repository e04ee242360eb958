#include "display/runs.h"

#include <gtest/gtest.h>

#include "golden.h"
#include "recording_canvas.h"
#include "test_support.h"

namespace ball {
namespace {

using test::RecordingCanvas;

constexpr int kFrameOps[] = {51, 51, 25};  // side, top, catcher: clear, scale, colour, ticks

struct Boxes {
    RecordingCanvas side, top, catcher;
    Views views() { return {side, top, catcher}; }
    RecordingCanvas* all[3] = {&side, &top, &catcher};
    bool untouched() const { return side.ops.empty() && top.ops.empty() && catcher.ops.empty(); }
};

void expectSetMatches(const DisplaySet& set, const std::vector<TrajPoint>& ref) {
    ASSERT_EQ(set.ntraj.value(), static_cast<double>(ref.size()));
    for (std::size_t i = 1; i <= ref.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(set.xtraj[i].single(), -ref[i - 1].x);
        EXPECT_EQ(set.ytraj[i].single(), ref[i - 1].y);
        EXPECT_EQ(set.ztraj[i], ref[i - 1].z);
    }
}

Ball1Panel gyroBall1() {
    Ball1Panel p;
    p.SpeedTxt_0 = "140";
    p.Omega0Txt_0 = "40";
    p.Omega1Txt_0 = "35";
    p.OrdinaryOpb_0 = false;
    p.Text2_0 = "30";
    p.Text2_2 = "20";
    p.TargetPTxt_0 = "2";
    p.TargetPTxt_1 = "4";
    return p;
}

Ball2Panel gyroBall2() {
    Ball2Panel p;
    p.SpeedTxt_1 = "120";
    p.Omega0Txt_1 = "25";
    p.Omega1Txt_1 = "20";
    p.OrdinaryOpb_1 = false;
    p.Text2_4 = "15";
    p.Text2_3 = "-10";
    return p;
}

// Both balls held to independently computed results: every stored point, the passes, the
// crossing point and the saved direction.
TEST(Runs, Ball1ThenBall2MatchTheReference) {
    struct Case {
        const char* file;
        Ball1Panel one;
        Ball2Panel two;
    };
    const Case cases[] = {
        {"default-pitches.txt", Ball1Panel{}, Ball2Panel{}},
        {"gyro-pitches.txt", gyroBall1(), gyroBall2()},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.file);
        const test::Golden& ref = test::golden(k.file);
        const std::size_t n1 = ref.ball1.size();
        const std::size_t n2 = ref.ball2.size();
        test::ScopedWorkDir dir;
        Workspace w;

        Boxes one;
        const OptionWrites writes = runBall1(w, k.one, one.views());
        EXPECT_EQ(writes.gyroOpb, !k.one.OrdinaryOpb_0);
        EXPECT_EQ(writes.TargetOP_1, false);
        EXPECT_EQ(w.aim.passes, ref.ball1Passes);
        EXPECT_TRUE(w.aim.onTarget);
        EXPECT_EQ(w.state.nstep, ref.ball1Nstep);
        EXPECT_EQ(w.state.xfin, ref.ball1Xfin);
        EXPECT_EQ(w.state.zfin, ref.ball1Zfin);
        expectSetMatches(w.ball1, ref.ball1);
        EXPECT_TRUE(w.ball1.ntraj.isInt16());
        EXPECT_TRUE(w.ball1.xtraj[5].isSingle());
        const std::string traj = test::readFile("Ball1Traj.txt");
        const std::string initdir = test::readFile("initdir.txt");
        EXPECT_EQ(traj.substr(0, 5), std::to_string(n1) + "\r\n");
        ASSERT_GE(initdir.size(), 2u);
        EXPECT_EQ(initdir.substr(initdir.size() - 2), "\r\n");
        EXPECT_EQ(test::readDoubles(initdir), test::readDoubles(ref.ball1Initdir));
        for (int v = 0; v < 3; ++v) {
            const RecordingCanvas& c = *one.all[v];
            ASSERT_EQ(c.ops.size(), kFrameOps[v] + 1u + (n1 - 1));
            EXPECT_EQ(c.ops[0], "background 255,255,255");
            EXPECT_EQ(c.ops[kFrameOps[v]], "foreground 0,0,255");
            EXPECT_EQ(c.count("foreground 255,0,0"), 0);
        }
        EXPECT_EQ(one.side.ops.back(), "line " + RecordingCanvas::num(ref.ball1[n1 - 2].y) + " " +
                                           RecordingCanvas::num(ref.ball1[n1 - 2].z) + " " +
                                           RecordingCanvas::num(ref.ball1[n1 - 1].y) + " " +
                                           RecordingCanvas::num(ref.ball1[n1 - 1].z));

        Boxes two;
        runBall2(w, k.two, two.views());
        EXPECT_EQ(w.state.noaim, 1);
        expectSetMatches(w.ball2, ref.ball2);
        // Ball 1 comes back from the file, to its seven digits.
        ASSERT_EQ(w.ball1.ntraj.value(), static_cast<double>(n1));
        for (std::size_t i = 1; i <= n1; ++i) {
            EXPECT_NEAR(w.ball1.ztraj[i], ref.ball1[i - 1].z, 1e-6) << i;
            EXPECT_NEAR(w.ball1.ytraj[i].value(), ref.ball1[i - 1].y, 1e-5) << i;
        }
        EXPECT_EQ(test::readFile("Ball1Traj.txt"), traj);
        EXPECT_EQ(test::readFile("initdir.txt"), initdir);
        for (int v = 0; v < 3; ++v) {
            const RecordingCanvas& c = *two.all[v];
            ASSERT_EQ(c.ops.size(), kFrameOps[v] + 1u + (n2 - 1) + 1 + (n1 - 1));
            EXPECT_EQ(c.ops[kFrameOps[v]], "foreground 255,0,0");
            EXPECT_EQ(c.ops[kFrameOps[v] + n2], "foreground 0,0,255");
            // The frame is the one a Ball-1 run draws.
            EXPECT_EQ(std::vector<std::string>(c.ops.begin(), c.ops.begin() + kFrameOps[v]),
                      std::vector<std::string>(one.all[v]->ops.begin(),
                                               one.all[v]->ops.begin() + kFrameOps[v]));
        }
    }
}

TEST(Runs, Ball2DrawsTheStoredBall1) {
    test::ScopedWorkDir dir;
    // A blank the program never writes: an unaimed run that rewrote the file would lose it.
    const std::string initdir = "-0.005843348531913104, 0,0,0,1.754\r\n";
    test::writeFile("initdir.txt", initdir);
    test::writeFile("Ball1Traj.txt", "1\r\n0,0,1.754\r\n");
    Workspace w;
    w.ball1.ntraj = int16_t{50};  // Ball 1 in memory is not what is drawn
    Boxes b;
    runBall2(w, Ball2Panel{}, b.views());
    EXPECT_EQ(w.ball1.ntraj.value(), 1);
    EXPECT_EQ(test::readFile("initdir.txt"), initdir);
    EXPECT_EQ(b.top.count("foreground 0,0,255"), 1);
    EXPECT_EQ(b.top.ops.back(), "foreground 0,0,255") << "a one-point Ball 1 has no segment";
    EXPECT_EQ(b.top.count("line"), 2 + 18 + 5 + 115);
}

TEST(Runs, AnErrorLeavesTheEarlierStepsDone) {
    struct Row {
        const char* name;
        bool ball2;
        const char* initdir;    // nullptr: missing; "dir": a folder in its place
        const char* ball1Traj;  // the same
        ErrorKind kind;
        std::string detail;
        bool ball2Filled;
        bool ball1Filled;
    };
    const char* saved = "0,0,0,0,1.754\r\n";
    const char* shortFile = "3\r\n9,9,9\r\n";
    const Row rows[] = {
        {"Ball 2 without the saved direction", true, nullptr, "1\r\n0,0,1\r\n",
         ErrorKind::FileNotFound, "initdir.txt", false, false},
        {"Ball 2 without Ball 1's file", true, saved, nullptr, ErrorKind::FileNotFound,
         "Ball1Traj.txt", true, false},
        {"Ball 2 with a short file", true, saved, shortFile, ErrorKind::InputPastEndOfFile,
         "Ball1Traj.txt", true, true},
        {"Ball 1 that cannot write its file", false, saved, "dir", ErrorKind::NotARegularFile,
         "Ball1Traj.txt", false, true},
        // The direction is saved right after aiming, before the Ball-1 set is filled.
        {"Ball 1 that cannot save its direction", false, "dir", nullptr,
         ErrorKind::NotARegularFile, "initdir.txt", false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        test::ScopedWorkDir dir;
        for (const auto& [file, text] :
             {std::pair{"initdir.txt", r.initdir}, std::pair{"Ball1Traj.txt", r.ball1Traj}}) {
            if (text && std::string(text) == "dir") {
                std::filesystem::create_directory(file);
            } else if (text) {
                test::writeFile(file, text);
            }
        }
        Workspace w;
        Boxes b;
        test::expectRunError(
            [&] {
                if (r.ball2) {
                    runBall2(w, Ball2Panel{}, b.views());
                } else {
                    runBall1(w, Ball1Panel{}, b.views());
                }
            },
            r.kind, r.detail);
        EXPECT_TRUE(b.untouched());
        EXPECT_EQ(w.ball2.ntraj.value() > 0, r.ball2Filled);
        EXPECT_EQ(w.ball1.ntraj.value() > 0, r.ball1Filled);
    }
}

}  // namespace
}  // namespace ball
