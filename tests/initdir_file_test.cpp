#include "files/initdir_file.h"

#include <gtest/gtest.h>

#include "files/atomic_file.h"
#include "physics/run_error.h"
#include "test_support.h"

namespace ball {
namespace {

TEST(InitdirLine, ShortestRoundTripText) {
    struct Row {
        double alpha;
        double beta;
        const char* line;
    };
    const Row rows[] = {
        {-0.005843348531913104, 0, "-0.005843348531913104,0,0,0,1.754\r\n"},
        {0.1, -2.5e-7, "0.1,-2.5e-07,0,0,1.754\r\n"},
        {1.0 / 3, 1e300, "0.3333333333333333,1e+300,0,0,1.754\r\n"},
    };
    for (const Row& r : rows) {
        PitchState s;
        s.alpha = r.alpha;
        s.beta = r.beta;
        s.zrel0 = 1.754;
        EXPECT_EQ(initdirLine(s), r.line);
    }
}

TEST(ReplaceFile, FailureKeepsTheOldFileAndNamesIt) {
    test::ScopedWorkDir dir;
    test::writeFile("initdir.txt", "old\r\n");
    replaceFile("initdir.txt", "new\r\n", FileRole::Initdir);
    EXPECT_EQ(test::readFile("initdir.txt"), "new\r\n");

    // A folder in the file's place cannot be replaced, even by root.
    std::filesystem::create_directory("blocked.txt");
    test::expectRunError([] { replaceFile("blocked.txt", "x", FileRole::Initdir); },
                         ErrorKind::FileWriteFailure, "blocked.txt");
    test::expectRunError([] { replaceFile("no-such-folder/initdir.txt", "x", FileRole::Initdir); },
                         ErrorKind::FileWriteFailure);

    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 2) << "no temporary file is left behind";
    EXPECT_EQ(test::readFile("initdir.txt"), "new\r\n");
}

}  // namespace
}  // namespace ball
