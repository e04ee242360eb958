#include "display/three_view.h"

#include <gtest/gtest.h>

#include "recording_canvas.h"
#include "test_support.h"

namespace ball {
namespace {

using test::RecordingCanvas;

TEST(NumberText, PrintsLikeThePlatform) {
    struct Row {
        double v;
        const char* text;
    };
    const Row rows[] = {{1, " 1"},   {18, " 18"}, {0, " 0"},    {0.5, " .5"}, {1.5, " 1.5"},
                        {2, " 2"},   {-1, "-1"},  {-0.5, "-.5"}, {-0.0, " 0"}, {-1.25, "-1.25"}};
    for (const Row& r : rows) EXPECT_EQ(numberText(r.v), r.text) << r.v;
}

TEST(DrawFrame, SideViewOperations) {
    RecordingCanvas c;
    drawFrame(c, View::Side);
    ASSERT_EQ(c.ops.size(), 3u + 2 + 18 * 2 + 5 * 2);
    const std::vector<std::string> head = {
        "background 255,255,255", "scale -1 2.2 20 -0.2", "foreground 0,0,0",
        "line 0 0 18.44 0",       "line 0 0 0 2",        "line 1 0 1 0.05",
        "print 0.8 -0.05 [ 1]",   "line 2 0 2 0.05",      "print 1.8 -0.05 [ 2]"};
    EXPECT_EQ(std::vector<std::string>(c.ops.begin(), c.ops.begin() + head.size()), head);
    EXPECT_EQ(c.ops[3 + 2 + 17 * 2 + 1], "print 17.8 -0.05 [ 18]");
    const std::vector<std::string> heights = {
        "line 0 0 0.2 0",     "print -0.9 0 [ 0]",     "line 0 0.5 0.2 0.5", "print -0.9 0.5 [ .5]",
        "line 0 1 0.2 1",     "print -0.9 1 [ 1]",     "line 0 1.5 0.2 1.5", "print -0.9 1.5 [ 1.5]",
        "line 0 2 0.2 2",     "print -0.9 2 [ 2]"};
    EXPECT_EQ(std::vector<std::string>(c.ops.end() - 10, c.ops.end()), heights);
}

TEST(DrawFrame, LabelsOfEachView) {
    struct Row {
        View view;
        const char* scale;
        std::vector<std::string> labels;
    };
    const std::vector<std::string> distances = {
        "print 0.8 -0.05 [ 1]", "print 17.8 -0.05 [ 18]"};
    const Row rows[] = {
        {View::Top, "scale -1 1.2 20 -1.2",
         {"print -0.9 -1 [-1]", "print -0.9 -0.5 [-.5]", "print -0.9 0 [ 0]",
          "print -0.9 0.5 [ .5]", "print -0.9 1 [ 1]"}},
        {View::Catcher, "scale -1.2 2.2 1.2 -0.2",
         {"print -1.2 -0.05 [-1]", "print -0.7 -0.05 [-.5]", "print -0.2 -0.05 [ 0]",
          "print 0.3 -0.05 [ .5]", "print 0.8 -0.05 [ 1]", "print -0.3 0 [ 0]",
          "print -0.3 0.5 [ .5]", "print -0.3 1 [ 1]", "print -0.3 1.5 [ 1.5]",
          "print -0.3 2 [ 2]"}},
    };
    for (const Row& r : rows) {
        RecordingCanvas c;
        drawFrame(c, r.view);
        EXPECT_EQ(c.ops[1], r.scale);
        std::vector<std::string> prints;
        for (const std::string& op : c.ops) {
            if (op.rfind("print", 0) == 0) prints.push_back(op);
        }
        if (r.view == View::Top) {
            ASSERT_EQ(prints.size(), 23u);
            EXPECT_EQ(prints.front(), distances.front());
            EXPECT_EQ(prints[17], distances.back());
            prints.erase(prints.begin(), prints.begin() + 18);
        }
        EXPECT_EQ(prints, r.labels);
    }
    RecordingCanvas top;
    drawFrame(top, View::Top);
    EXPECT_EQ(top.ops[4], "line 0 -1 0 1");
}

DisplaySet setOf(std::vector<TrajPoint> points) {
    PitchState s;
    s.ntraj = static_cast<int16_t>(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) s.traj[i + 1] = points[i];
    DisplaySet set;
    fillFromTraj(set, s);
    return set;
}

TEST(DrawCurve, MapsEachView) {
    const DisplaySet set = setOf({{0.1f, 10, 1}, {0.1f, 10, 1}});
    struct Row {
        View view;
        std::string segment;
    };
    const Row rows[] = {{View::Side, "line 10 1 10 1"},
                        {View::Top, "line 10 -0.1 10 -0.1"},
                        {View::Catcher, "line -0.1 1 -0.1 1"}};
    for (const Row& r : rows) {
        RecordingCanvas c;
        drawCurve(c, r.view, set, kBlue);
        EXPECT_EQ(c.ops, (std::vector<std::string>{"foreground 0,0,255", r.segment}));
    }
}

TEST(DrawCurve, SegmentCounts) {
    struct Row {
        const char* name;
        Numeric count;
        int segments;
    };
    const Row rows[] = {{"one point", int16_t{1}, 0},      {"no point", int16_t{0}, 0},
                        {"negative count", int16_t{-4}, 0}, {"three points", int16_t{3}, 2},
                        {"full buffer", int16_t{300}, 299}, {"fractional count", 2.5, 1}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        DisplaySet set;
        set.ntraj = r.count;
        RecordingCanvas c;
        drawCurve(c, View::Side, set, kRed);
        EXPECT_EQ(c.count("line"), r.segments);
        EXPECT_EQ(c.ops.front(), "foreground 255,0,0");
    }
}

TEST(DrawCurve, CountBeyondTheSlotsIsAnError) {
    DisplaySet set;
    set.ntraj = int16_t{302};
    RecordingCanvas c;
    test::expectRunError([&] { drawCurve(c, View::Top, set, kBlue); },
                         ErrorKind::SubscriptOutOfRange);
}

}  // namespace
}  // namespace ball
