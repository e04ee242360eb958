#include "session/batter_view.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "display/pitch_figures.h"
#include "physics/constants.h"
#include "recording_canvas.h"
#include "session/pitch_session.h"
#include "test_support.h"

namespace ball {
namespace {

// The pinhole from each eye: straight ahead at the centre, the release point where the
// geometry puts it, nothing behind the eye, and the ball's apparent size.
TEST(BatterView, Projection) {
    const double focal = 1000;
    const Point3 eye = eyePoint(Eye::RightBatter);
    const struct {
        const char* name;
        Point3 point;
        std::optional<Projected> at;
    } rows[] = {
        {"straight ahead", {eye.x, 5, eye.z}, Projected{0, 0, eye.y - 5}},
        // 0.7 m to the batter's left of it, and 0.254 m above his eye, 20.44 m ahead.
        {"the release point",
         {0, 0, 1.754},
         Projected{0.7 * focal / 20.44, 0.254 * focal / 20.44, 20.44}},
        {"behind the eye", {0, eye.y + 1, 1}, std::nullopt},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const std::optional<Projected> at = project(r.point, eye, focal);
        ASSERT_EQ(at.has_value(), r.at.has_value());
        if (!at) continue;
        EXPECT_NEAR(at->right, r.at->right, 1e-9);
        EXPECT_NEAR(at->up, r.at->up, 1e-9);
        EXPECT_NEAR(at->depth, r.at->depth, 1e-9);
    }
    EXPECT_NEAR(apparentRadius(18.44, focal), 0.03575 * focal / 18.44, 1e-12);
    EXPECT_NEAR(apparentRadius(1, focal), 35.75, 1e-12);
    // The left-handed batter sees it all mirrored.
    EXPECT_NEAR(project({0, 0, 1.754}, eyePoint(Eye::LeftBatter), focal)->right,
                -0.7 * focal / 20.44, 1e-9);
}

// A drawn ball at a time: its release point before, between its points at their times, its
// last point after; and the separation at the decision point is the figures'.
TEST(BatterView, BallsAtATime) {
    test::ScopedWorkDir dir;
    PitchSession session;
    test::RecordingCanvas a, b, c;
    session.runBall1(Ball1Panel{}, {a, b, c});
    session.runBall2(Ball2Panel{}, {a, b, c});
    const DisplaySet& set = *session.shownBall1();
    const auto same = [](const Point3& p, double x, double y, double z) {
        EXPECT_NEAR(p.x, x, 1e-6);
        EXPECT_NEAR(p.y, y, 1e-6);
        EXPECT_NEAR(p.z, z, 1e-6);
    };
    same(positionAt(set, -1), 0, 0, 1.754);
    same(positionAt(set, pointTime(set, 5)), -set.xtraj[5].value(), set.ytraj[5].value(),
         set.ztraj[5]);
    const double mid = (pointTime(set, 5) + pointTime(set, 6)) / 2;
    same(positionAt(set, mid), 0, (set.ytraj[5].value() + set.ytraj[6].value()) / 2,
         (double{set.ztraj[5]} + set.ztraj[6]) / 2);
    const int n = static_cast<int>(set.ntraj.value());
    same(positionAt(set, 1), 0, set.ytraj[n].value(), set.ztraj[n]);

    const BatterScene scene = session.batterScene();
    EXPECT_EQ(scene.separation, session.figures()[8].cells[0]);
    EXPECT_EQ(scene.separation, "31.0");
    EXPECT_DOUBLE_EQ(scene.endTime, std::max(lastTime(set), lastTime(*session.shownBall2())));
    ASSERT_TRUE(scene.aimedCell);
    EXPECT_NEAR(scene.aimedCell->zHigh - scene.aimedCell->zLow, 1.7 / 6, 1e-12);

    // From every eye the picture holds the whole zone and both balls from release to the plate,
    // within its margin, and fills it one way or the other.
    const double width = 700, height = 450, margin = 12;
    for (Eye eye : {Eye::RightBatter, Eye::LeftBatter, Eye::Catcher}) {
        SCOPED_TRACE(static_cast<int>(eye));
        const PictureFrame frame = framePicture(scene, eye, width, height, margin);
        double left = width, right = 0, top = height, bottom = 0;
        const auto inPicture = [&](const Point3& p) {
            const std::optional<Projected> q = project(p, eyePoint(eye), frame.focal);
            ASSERT_TRUE(q);
            const double x = width / 2 + frame.right + q->right, y = height / 2 - frame.up - q->up;
            EXPECT_GE(x, margin - 1e-6);
            EXPECT_LE(x, width - margin + 1e-6);
            EXPECT_GE(y, margin - 1e-6);
            EXPECT_LE(y, height - margin + 1e-6);
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        };
        const PlaneArea zone = strikeZone();
        for (double x : {zone.xHigh, zone.xLow}) {
            for (double z : {zone.zHigh, zone.zLow}) inPicture({x, kDist, z});
        }
        for (const DisplaySet* ball : {&set, session.shownBall2()}) {
            inPicture(positionAt(*ball, 0));
            inPicture(positionAt(*ball, lastTime(*ball)));
        }
        EXPECT_TRUE(right - left > width - 2 * margin - 1 ||
                    bottom - top > height - 2 * margin - 1);
    }
}

}  // namespace
}  // namespace ball
