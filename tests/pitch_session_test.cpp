#include "session/pitch_session.h"

#include <gtest/gtest.h>

#include <chrono>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "golden.h"
#include "recording_canvas.h"
#include "session/messages.h"
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

// Both balls held to independently computed results: every stored point, the passes, the
// crossing point and the saved direction.
TEST(PitchSession, Ball1ThenBall2MatchTheReference) {
    struct Case {
        const char* file;
        Ball1Panel one;
        Ball2Panel two;
    };
    const Case cases[] = {
        {"default-pitches.txt", Ball1Panel{}, Ball2Panel{}},
        {"gyro-pitches.txt",
         {.SpeedTxt_0 = "140",
          .Omega0Txt_0 = "40",
          .Omega1Txt_0 = "35",
          .OrdinaryOpb_0 = false,
          .Text2_0 = "30",
          .Text2_2 = "20",
          .TargetPTxt_0 = "2",
          .TargetPTxt_1 = "4"},
         {.SpeedTxt_1 = "120",
          .Omega0Txt_1 = "25",
          .Omega1Txt_1 = "20",
          .OrdinaryOpb_1 = false,
          .Text2_4 = "15",
          .Text2_3 = "-10"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.file);
        const test::Golden& ref = test::golden(k.file);
        const std::size_t n1 = ref.ball1.size();
        const std::size_t n2 = ref.ball2.size();
        test::ScopedWorkDir dir;
        PitchSession session;

        Boxes one;
        const ClickOutcome first = session.runBall1(k.one, one.views());
        ASSERT_TRUE(first.ok()) << first.message;
        EXPECT_EQ(first.notice, "");  // on target: nothing more to say
        EXPECT_EQ(first.writes.gyroOpb, !k.one.OrdinaryOpb_0);
        EXPECT_EQ(first.writes.TargetOP_1, false);
        EXPECT_EQ(session.aim().passes, ref.ball1Passes);
        EXPECT_TRUE(session.aim().onTarget);
        EXPECT_EQ(session.state().nstep, ref.ball1Nstep);
        EXPECT_EQ(session.state().xfin, ref.ball1Xfin);
        EXPECT_EQ(session.state().zfin, ref.ball1Zfin);
        expectSetMatches(session.ball1(), ref.ball1);
        EXPECT_TRUE(session.ball1().ntraj.isInt16());
        EXPECT_TRUE(session.ball1().xtraj[5].isSingle());
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
        ASSERT_TRUE(session.runBall2(k.two, two.views()).ok());
        EXPECT_EQ(session.state().noaim, 1);
        expectSetMatches(session.ball2(), ref.ball2);
        // Ball 1 comes back from the file, to its seven digits.
        const DisplaySet& back = session.ball1();
        ASSERT_EQ(back.ntraj.value(), static_cast<double>(n1));
        for (std::size_t i = 1; i <= n1; ++i) {
            EXPECT_NEAR(back.ztraj[i], ref.ball1[i - 1].z, 1e-6) << i;
            EXPECT_NEAR(back.ytraj[i].value(), ref.ball1[i - 1].y, 1e-5) << i;
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

TEST(PitchSession, Ball2DrawsTheStoredBall1) {
    test::ScopedWorkDir dir;
    PitchSession session;
    Boxes first, b;
    ASSERT_TRUE(session.runBall1(Ball1Panel{}, first.views()).ok());  // not what Ball 2 draws
    // A blank the program never writes: an unaimed run that rewrote the file would lose it.
    const std::string initdir = "-0.005843348531913104, 0,0,0,1.754\r\n";
    test::writeFile("initdir.txt", initdir);
    test::writeFile("Ball1Traj.txt", "1\r\n0,0,1.754\r\n");
    ASSERT_TRUE(session.runBall2(Ball2Panel{}, b.views()).ok());
    EXPECT_EQ(session.shownBall1()->ntraj.value(), 1);
    EXPECT_EQ(test::readFile("initdir.txt"), initdir);
    EXPECT_EQ(b.top.count("foreground 0,0,255"), 1);
    EXPECT_EQ(b.top.ops.back(), "foreground 0,0,255") << "a one-point Ball 1 has no segment";
    EXPECT_EQ(b.top.count("line"), 2 + 18 + 5 + 115);
}

// An error ends the click at its step: the steps before it stay done but for the files, which
// change together or not at all; nothing is drawn, the balls shown stay, and the message says
// what happened and to which file.
TEST(PitchSession, AnErrorLeavesTheEarlierStepsDone) {
    struct Row {
        const char* name;
        bool ball2;
        std::function<void(Ball1Panel&)> edit;  // of Ball 1's panel
        const char* initdir;                    // nullptr: missing; "dir": a folder in its place
        const char* ball1Traj;                  // the same
        ErrorKind kind;
        std::string detail;
        bool ball2Filled;
        bool ball1Filled;
        std::string message;  // parts it holds, between bars
    };
    const char* saved = "0,0,0,0,1.754\r\n";
    const char* shortFile = "3\r\n9,9,9\r\n";
    const auto speed = [](const char* kmh) { return [kmh](Ball1Panel& p) { p.SpeedTxt_0 = kmh; }; };
    const Row rows[] = {
        {"Ball 2 without the saved direction", true, nullptr, nullptr, "1\r\n0,0,1\r\n",
         ErrorKind::FileNotFound, "initdir.txt", false, false,
         "「initdir.txt」|先に目標を「する」にして「ボール１」を実行してください"},
        {"Ball 2 without Ball 1's file", true, nullptr, saved, nullptr, ErrorKind::FileNotFound,
         "Ball1Traj.txt", true, false, "「Ball1Traj.txt」|file not found"},
        {"Ball 2 with a short file", true, nullptr, saved, shortFile, ErrorKind::InputPastEndOfFile,
         "Ball1Traj.txt", true, true, "「Ball1Traj.txt」|input past end of file"},
        {"Ball 1 that cannot write its file", false, nullptr, saved, "dir",
         ErrorKind::NotARegularFile, "Ball1Traj.txt", false, true,
         "「Ball1Traj.txt」|not a regular file"},
        // The direction is saved right after aiming, before the Ball-1 set is filled.
        {"Ball 1 that cannot save its direction", false, nullptr, "dir", nullptr,
         ErrorKind::NotARegularFile, "initdir.txt", false, false, "「initdir.txt」"},
        {"Ball 2 with a folder named initdir.txt", true, nullptr, "dir", nullptr,
         ErrorKind::NotARegularFile, "initdir.txt", false, false, "not a regular file"},
        {"target off without the saved direction", false,
         [](Ball1Panel& p) { p.TargetOP_0 = false; }, nullptr, nullptr, ErrorKind::FileNotFound,
         "initdir.txt", false, false, "「initdir.txt」"},
        // The advised speeds are computed from the limits that decide them.
        {"speed 0", false, speed("0"), nullptr, nullptr, ErrorKind::DivisionByZero, "", false,
         false, "division by zero|0 以外"},
        {"too slow to count its steps", false, speed("48"), nullptr, nullptr, ErrorKind::Overflow,
         "", false, false, "overflow|ボール１の「速度」が遅すぎます|約 54 km/h 以上"},
        {"too slow to fit its points", false, speed("48.7"), nullptr, nullptr,
         ErrorKind::SubscriptOutOfRange, "", false, false, "subscript out of range|300|ボール１の「速度」が遅すぎます|約 54 km/h 以上"},
        {"a speed beyond any number", false, speed("1e999"), nullptr, nullptr, ErrorKind::Overflow,
         "", false, false, "overflow|ボール１の「速度」の数が大きすぎます"},
        // Refused before anything is computed, drawn or written.
        {"a negative speed", false, speed("-125"), saved, "1\r\n0,0,1\r\n",
         ErrorKind::NegativeSpeed, "", false, false, "ボール１の「速度」|正の数を"},
        {"spins beyond any number", false,
         [](Ball1Panel& p) { p.Omega0Txt_0 = p.Omega1Txt_0 = "1e999"; }, nullptr, nullptr,
         ErrorKind::Overflow, "", false, false, "overflow|ボール１の回転数「投げた直後」"},
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
        const auto files = [] {
            std::string all;
            for (const char* f : {"initdir.txt", "Ball1Traj.txt"}) {
                if (std::filesystem::is_regular_file(f)) all += test::readFile(f) + '|';
            }
            return all;
        };
        const std::string before = files();
        PitchSession session;
        Ball1Panel panel;
        if (r.edit) r.edit(panel);
        Boxes b;
        const ClickOutcome out = r.ball2 ? session.runBall2(Ball2Panel{}, b.views())
                                         : session.runBall1(panel, b.views());
        ASSERT_TRUE(out.error);
        EXPECT_EQ(out.error->kind(), r.kind) << out.error->what();
        EXPECT_EQ(out.error->detail(), r.detail);
        for (std::size_t from = 0, bar = 0; bar != std::string::npos; from = bar + 1) {
            bar = r.message.find('|', from);
            EXPECT_NE(out.message.find(r.message.substr(from, bar - from)), std::string::npos)
                << out.message;
        }
        EXPECT_TRUE(b.untouched());
        EXPECT_EQ(files(), before) << "both files change, or neither";
        EXPECT_EQ(session.shownBall1(), nullptr);
        EXPECT_EQ(session.ball2().ntraj.value() > 0, r.ball2Filled);
        EXPECT_EQ(session.ball1().ntraj.value() > 0, r.ball1Filled);
    }
}

// What the window asks of the balls shown, at the defaults: 投球の数値 after each click, what
// each view tells under the mouse, and the CSV of both.
TEST(PitchSession, AnswersForTheBallsShown) {
    test::ScopedWorkDir dir;
    PitchSession session;
    const auto cells = [&] {
        std::vector<std::string> out;
        for (const FigureRow& r : session.figures()) out.push_back(r.cells[0] + "|" + r.cells[1]);
        return out;
    };
    Boxes one, two;
    // At the defaults Ball 2's centre comes within its radius of the ground 4 cm before the
    // plate: nothing of it there.
    const std::string kBounce = "ワンバウンド（リリースから 18.4 m）";
    session.runBall1(Ball1Panel{}, one.views());
    EXPECT_EQ(cells(),
              (std::vector<std::string>{"0.0|—", "84.9|—", "564.7|—", "0.0|—", "141.8|—",
                                        "74.2|—", "0.0|—", "12:00|—", "—|", "—|", "—|", "—|"}));
    session.runBall2(Ball2Panel{}, two.views());
    EXPECT_EQ(cells(),
              (std::vector<std::string>{"0.0|" + kBounce, "84.9|" + kBounce, "564.7|" + kBounce,
                                        "0.0|-10.8", "141.8|112.7", "74.2|0.0", "0.0|28.7",
                                        "12:00|3:00", "31.0|", "ボール２が" + kBounce + "|",
                                        "ボール２が" + kBounce + "|", "ボール２が" + kBounce + "|"}));
    // Both balls at one distance, apart as the view shows them.
    const struct {
        View view;
        double across, up;
        const char* tip;
    } tips[] = {
        {View::Side, 11.19, 1.4,
         "距離 11.19 m\nボール１: 高さ 141.8 cm、334.3 ms\nボール２: 高さ 112.7 cm、337.6 ms\n"
         "上下の間隔 29.1 cm"},
        {View::Top, 11.19, 0,
         "距離 11.19 m\nボール１: 左右 0.0 cm、334.3 ms\nボール２: 左右 -10.8 cm、337.6 ms\n"
         "左右の間隔 10.8 cm"},
        // Nearest Ball 2's last point: both balls at the plate, Ball 2 within its radius of
        // the ground 4 cm before it.
        {View::Catcher, -0.30, 0.03,
         "距離 18.44 m\nボール１: 左右 0.0 cm、高さ 84.9 cm、564.7 ms\n"
         "ボール２: ワンバウンド（リリースから 18.4 m）の後"},
        {View::Side, 19.5, 1, ""},
    };
    for (const auto& t : tips) EXPECT_EQ(session.viewTip(t.view, t.across, t.up), t.tip);
    // Every drawn point, Ball 1 as read back from its file: times to the step, coordinates in
    // the fewest digits of their single-precision values, no "-0".
    const std::string csv = session.csv();
    EXPECT_EQ(csv.substr(0, csv.find("\r\n1,3,")),
              "ball,point,time_s,distance_m,lateral_m,height_m,bounced\r\n"
              "1,1,0.00000,0,0,1.754,0\r\n1,2,0.00495,0.1717782,0,1.75294,0");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 114 + 116);
    EXPECT_NE(csv.find("\r\n1,4,0.01495,"), std::string::npos);
    EXPECT_EQ(csv.find("-0,"), std::string::npos);
    // Ball 2's last point is past its bounce, 4 cm before the plate; the one before is not.
    const std::size_t last = csv.find("\r\n2,116,");
    ASSERT_NE(last, std::string::npos);
    EXPECT_EQ(csv.substr(last - 2, 2), ",0");
    EXPECT_EQ(csv.substr(csv.size() - 4), ",1\r\n");

    // A Ball 2 that fails keeps every answer on the balls still drawn.
    const std::vector<std::string> shown = cells();
    const std::string tip = session.viewTip(View::Side, 11.19, 1.4);
    const double end = session.batterScene().endTime;
    test::writeFile("Ball1Traj.txt", "5\r\n0,0,1\r\n");
    Ball2Panel slower;
    slower.SpeedTxt_1 = "100";
    Boxes failed;
    ASSERT_FALSE(session.runBall2(slower, failed.views()).ok());
    EXPECT_EQ(cells(), shown);
    EXPECT_EQ(session.csv(), csv);
    EXPECT_EQ(session.viewTip(View::Side, 11.19, 1.4), tip);
    EXPECT_EQ(session.batterScene().endTime, end);
}

// Figures that do not mislead: an aim that never reaches the catcher is drawn and saved as
// always and said once, its plate figures say why they are missing; two pitches that never part
// have no ratio of their separations.
TEST(PitchSession, FiguresThatTellTheTruth) {
    test::ScopedWorkDir dir;
    PitchSession session;
    Ball1Panel slowTopspin;
    slowTopspin.SpeedTxt_0 = "56";
    slowTopspin.thitaTxtBox_0 = "180";
    Boxes one;
    const ClickOutcome missed = session.runBall1(slowTopspin, one.views());
    ASSERT_TRUE(missed.ok()) << missed.message;
    EXPECT_NE(missed.notice.find("捕手の位置まで届かず"), std::string::npos) << missed.notice;
    EXPECT_NE(missed.notice.find("速度を上げる"), std::string::npos) << missed.notice;
    EXPECT_FALSE(one.untouched());
    EXPECT_TRUE(std::filesystem::exists("initdir.txt") && std::filesystem::exists("Ball1Traj.txt"));
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(session.figures()[row].cells[0], "捕手の位置まで届かない") << row;
    }

    Boxes again, same;
    ASSERT_TRUE(session.runBall1(Ball1Panel{}, again.views()).ok());
    Ball2Panel likeBall1;
    likeBall1.Omega0Txt_1 = likeBall1.Omega1Txt_1 = "30";
    likeBall1.thitaTxtBox_1 = "0";
    ASSERT_TRUE(session.runBall2(likeBall1, same.views()).ok());
    const std::vector<FigureRow> rows = session.figures();
    EXPECT_EQ(rows[8].cells[0] + "|" + rows[9].cells[0] + "|" + rows[10].cells[0], "0.0|0.0|—");

    // Ball 2 at 100 km/h bounces 14.9 m from release, after the decision point: every figure
    // of a place past it, its own and the pair's, says so instead; Ball 1 keeps its own.
    Ball2Panel slower;
    slower.SpeedTxt_1 = "100";
    Boxes low;
    ASSERT_TRUE(session.runBall2(slower, low.views()).ok());
    const std::vector<FigureRow> bounced = session.figures();
    EXPECT_EQ(bounced[1].cells[0], "84.9");
    for (int row : {0, 1, 2, 3, 8, 9, 10, 11}) {
        const bool past = row < 3 || row > 8;
        const std::string& cell = bounced[row].cells[row < 8 ? 1 : 0];
        EXPECT_EQ(cell, !past        ? cell
                        : row < 8    ? "ワンバウンド（リリースから 14.9 m）"
                                     : "ボール２がワンバウンド（リリースから 14.9 m）")
            << row;
        EXPECT_EQ(cell.find("ワンバウンド") == std::string::npos, !past) << row;
    }
    const std::string tip = session.viewTip(View::Catcher, 0, 0.8494);
    EXPECT_NE(tip.find("ボール２: ") , std::string::npos) << tip;
    EXPECT_NE(tip.find("ワンバウンド（リリースから "), std::string::npos) << tip;
    ASSERT_TRUE(session.batterScene().bounce[1]);
    EXPECT_FALSE(session.batterScene().bounce[0]);

    // A saved direction that throws Ball 2 away is said, not left to an empty view.
    test::writeFile("initdir.txt", "0,0,0,1e30,1.754\r\n");
    Boxes away;
    const ClickOutcome lost = session.runBall2(Ball2Panel{}, away.views());
    ASSERT_TRUE(lost.ok()) << lost.message;
    EXPECT_NE(lost.notice.find("ボール２は捕手の位置まで届きませんでした"), std::string::npos);
    EXPECT_EQ(session.figures()[0].cells[1], "捕手の位置まで届かない");
}

// A click never waits for a folder another program holds: it ends at once, having read and
// written nothing, and says so; once the folder is free it reads what was saved meanwhile.
TEST(PitchSession, AHeldFolderIsNeverWaitedFor) {
    test::ScopedWorkDir dir;
    Ball1Panel targetOff;
    targetOff.TargetOP_0 = false;
    const auto trajFrom = [&](const char* initdir) {
        test::writeFile("initdir.txt", initdir);
        Boxes b;
        EXPECT_TRUE(PitchSession().runBall1(targetOff, b.views()).ok());
        return test::readFile("Ball1Traj.txt");
    };
    const char* savedMeanwhile = "0.02,0.01,0,0,1.754\r\n";
    const std::string expected = trajFrom(savedMeanwhile);
    const std::string before = trajFrom("-0.01,0,0,0,1.754\r\n");

    const int folder = ::open(".", O_RDONLY | O_DIRECTORY);
    ::flock(folder, LOCK_EX);  // another program, about to save a direction
    for (int ball : {1, 2}) {
        SCOPED_TRACE(ball);
        const auto start = std::chrono::steady_clock::now();
        Boxes b;
        PitchSession session;
        const ClickOutcome out = ball == 1 ? session.runBall1(targetOff, b.views())
                                           : session.runBall2(Ball2Panel{}, b.views());
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
        ASSERT_TRUE(out.error);
        EXPECT_EQ(out.error->kind(), ErrorKind::FolderBusy);
        EXPECT_NE(out.message.find("ほかのプログラムがフォルダ「.」"), std::string::npos);
        EXPECT_TRUE(b.untouched());
        EXPECT_FALSE(PitchSession::folderFree(ball));
    }
    EXPECT_EQ(test::readFile("Ball1Traj.txt"), before);
    test::writeFile("initdir.txt", savedMeanwhile);
    ::flock(folder, LOCK_UN);
    ::close(folder);
    EXPECT_TRUE(PitchSession::folderFree(1));
    EXPECT_EQ(trajFrom(savedMeanwhile), expected);
}

// The movement chart keeps ±60 cm until a break lies beyond it, then grows in 20 cm steps.
TEST(MovementChart, RangeGrowsInSteps) {
    const struct {
        std::optional<Break> one, two;
        int reach;
    } rows[] = {
        {{}, {}, 60},
        {Break{0, 0.6}, Break{-0.3, 0}, 60},
        {Break{0, 0.742}, {}, 80},
        {{}, Break{-0.601, 0}, 80},
        {Break{0.3, -1.01}, Break{0, 0.2}, 120},
    };
    for (const auto& r : rows) EXPECT_EQ(movementChartReach({r.one, r.two}), r.reach);
}

// An aim that reached the catcher but not its target says by how much, in cm.
TEST(Messages, AMissedAimSaysByHowMuch) {
    const std::string text = aimMissedMessage(11, 0.1234);
    EXPECT_NE(text.find("11 回投げても目標に 1 cm 以内まで届かず、12.3 cm 外れました"),
              std::string::npos)
        << text;
}

// What the user reads of a refused write: what refused it, and that no file changed.
TEST(Messages, AWriteFailureSaysWhatRefused) {
    const std::pair<Refuser, const char*> rows[] = {
        {Refuser::File, "書き込みが禁止されています"},
        {Refuser::Folder, "フォルダに書き込む権限がありません"},
        {Refuser::OtherUser, "ほかのユーザー「mallory」のもので、共有のフォルダ"},
        {Refuser::Link, "ほかのユーザー「mallory」が作ったリンクです"},
        {Refuser::InTheWay, "ほかのユーザー「mallory」のファイルです"},
        {Refuser::Unknown, "ディスクの空き"},
    };
    for (const auto& [refuser, cause] : rows) {
        const std::string text =
            errorMessage(RunError(ErrorKind::FileWriteFailure, "Ball1Traj.txt",
                                  FileRole::Ball1Traj, refuser)
                             .withOwner("mallory"));
        EXPECT_NE(text.find(cause), std::string::npos) << text;
        EXPECT_NE(text.find("「Ball1Traj.txt」"), std::string::npos) << text;
        EXPECT_NE(text.find("どのファイルも変わっていません"), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace ball
