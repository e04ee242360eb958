#include "files/ball1_traj_file.h"

#include <gtest/gtest.h>

#include "files/atomic_file.h"
#include "test_support.h"

namespace ball {
namespace {

// The slots of a display set, for the reader to fill.
struct Slots {
    Numeric ntraj;
    std::array<Numeric, kMaxTrajPoints + 1> xtraj{};
    std::array<Numeric, kMaxTrajPoints + 1> ytraj{};
    std::array<float, kMaxTrajPoints + 1> ztraj{};
    operator TrajCells() { return {ntraj, xtraj, ytraj, ztraj}; }
};

PitchState trajectory(std::vector<TrajPoint> points) {
    PitchState s;
    s.ntraj = static_cast<int16_t>(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) s.traj[i + 1] = points[i];
    return s;
}

TEST(Ball1TrajText, Format) {
    struct Row {
        const char* name;
        std::vector<TrajPoint> points;
        const char* text;
    };
    const Row rows[] = {
        {"one point", {{0, 0, 1.754f}}, "1\r\n0,0,1.754\r\n"},
        {"negative x and seven digits",
         {{0, 0, 1.754f}, {-0.301935941f, 18.4414539f, 0.0216486268f}},
         "2\r\n0,0,1.754\r\n-0.3019359,18.44145,0.02164863\r\n"},
        {"tiny values", {{2.47053285e-05f, 0.171753496f, 1.75287557f}},
         "1\r\n2.470533e-05,0.1717535,1.752876\r\n"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(ball1TrajText(trajectory(r.points)), r.text);
    }
}

TEST(ReadBall1Traj, RoundTripNegatesX) {
    test::ScopedWorkDir dir;
    test::writeFile("Ball1Traj.txt",
                    ball1TrajText(trajectory({{0, 0, 1.754f}, {-0.25f, 18.5f, 0.5f}})));
    Slots set;
    readBall1Traj("Ball1Traj.txt", set);
    EXPECT_TRUE(set.ntraj.isInt16());
    EXPECT_EQ(set.ntraj.value(), 2);
    EXPECT_EQ(set.xtraj[2].value(), 0.25);
    EXPECT_EQ(set.ytraj[2].value(), 18.5);
    EXPECT_EQ(set.ztraj[2], 0.5f);
    EXPECT_EQ(set.ztraj[1], 1.754f);
}

TEST(ReadBall1Traj, LayoutDoesNotMatter) {
    const char* layouts[] = {
        "2\r\n1,2,3\r\n4.5,5,6\r\n",
        "2\r\n1,2,3,4.5,5,6\r\n",
        "2,1\n2\n3\n4.5,5\n\n6",
        " 2 \r\n 1 , 2 ,3,4.5,5,6",
    };
    for (const char* text : layouts) {
        SCOPED_TRACE(text);
        test::ScopedWorkDir dir;
        test::writeFile("Ball1Traj.txt", text);
        Slots set;
        readBall1Traj("Ball1Traj.txt", set);
        EXPECT_EQ(set.ntraj.value(), 2);
        EXPECT_EQ(set.xtraj[1].value(), -1);
        EXPECT_TRUE(set.xtraj[1].isInt16());
        EXPECT_EQ(set.xtraj[2].value(), -4.5);
        EXPECT_TRUE(set.xtraj[2].isDouble());
        EXPECT_EQ(set.ztraj[2], 6.0f);
    }
}

TEST(ReadBall1Traj, ErrorsNameTheFile) {
    std::string full = "301\r\n";
    for (int i = 1; i <= 301; ++i) full += "1,2," + std::to_string(i) + "\r\n";
    struct Row {
        const char* name;
        std::string text;  // empty: no file
        ErrorKind kind;
        int slotsRead;     // slots of ztraj overwritten before the error
    };
    const Row rows[] = {
        {"missing file", "", ErrorKind::FileNotFound, 0},
        {"fewer points than the count", "3\r\n1,2,3\r\n4,5,6\r\n7,8",
         ErrorKind::InputPastEndOfFile, 2},
        {"count above 300", full, ErrorKind::SubscriptOutOfRange, 300},
        {"not a number", "2\r\n1,2,3\r\n4,five,6\r\n", ErrorKind::BadFileData, 1},
        {"empty field", "2\r\n1,,3\r\n", ErrorKind::BadFileData, 0},
        {"trailing text", "1\r\n1,2,3mm\r\n", ErrorKind::BadFileData, 0},
        {"beyond float32", "1\r\n1,2,1e39\r\n", ErrorKind::Overflow, 0},
        {"beyond float32 in x", "2\r\n1,2,3\r\n1e300,2,3\r\n", ErrorKind::Overflow, 2},
        {"beyond float64", "1\r\n1,2,1e999\r\n", ErrorKind::Overflow, 0},
        {"x that cannot be negated", "1\r\n-32768,0,0\r\n", ErrorKind::Overflow, 1},
        {"count that is text", "many\r\n", ErrorKind::BadFileData, 0},
        {"a field longer than any number", "1\r\n" + std::string(80, '0') + "1,2,3\r\n",
         ErrorKind::BadFileData, 0},
        {"NUL bytes", std::string("1\r\n\0\0\0\0", 7), ErrorKind::BadFileData, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        test::ScopedWorkDir dir;
        if (!r.text.empty()) test::writeFile("Ball1Traj.txt", r.text);
        Slots set;
        set.ztraj.fill(-1);
        test::expectRunError([&] { readBall1Traj("Ball1Traj.txt", set); }, r.kind,
                             "Ball1Traj.txt");
        if (r.slotsRead < kMaxTrajPoints) {
            EXPECT_EQ(set.ztraj[r.slotsRead + 1], -1.0f);
        }
        if (r.slotsRead > 0) {
            EXPECT_NE(set.ztraj[r.slotsRead], -1.0f);
        }
    }
}

// A reader takes only a regular file of a size that fits the format, and never waits.
TEST(ReadBall1Traj, OnlyARegularFileOfItsSize) {
    Slots set;
    test::expectOnlyRegularFilesRead("Ball1Traj.txt", "1\r\n0,0,1.754\r\n",
                                     [&] { readBall1Traj("Ball1Traj.txt", set); });
}

TEST(ReadBall1Traj, SmallCountsReadNothingWrong) {
    struct Row {
        const char* text;
        double count;
    };
    const Row rows[] = {{"0\r\n", 0}, {"-3\r\n", -3}, {"1.5\r\n1,2,3\r\n", 1.5}};
    for (const Row& r : rows) {
        test::ScopedWorkDir dir;
        test::writeFile("Ball1Traj.txt", r.text);
        Slots set;
        readBall1Traj("Ball1Traj.txt", set);
        EXPECT_EQ(set.ntraj.value(), r.count);
    }
}

TEST(WriteBall1Traj, FailureNamesTheFile) {
    test::ScopedWorkDir dir;
    std::filesystem::create_directory("Ball1Traj.txt");
    ReplaceGroup files;
    test::expectRunError([&] { writeBall1Traj(files, "Ball1Traj.txt", trajectory({{0, 0, 1}})); },
                         ErrorKind::NotARegularFile, "Ball1Traj.txt");
}

}  // namespace
}  // namespace ball
