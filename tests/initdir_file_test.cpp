#include "files/initdir_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <optional>

#include "files/atomic_file.h"
#include "files/disk_calls.h"
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

// Whatever stands at the name, a replace either puts the new text there whole or leaves
// everything as it was, the other files of its group included, says why, and leaves no
// temporary file behind.
TEST(ReplaceFile, ReplacesWholeOrNotAtAll) {
    namespace fs = std::filesystem;
    struct Row {
        const char* name;
        std::optional<test::Planted> planted;  // none: a plain file anybody may write
        std::optional<ErrorKind> kind;         // none: replaced
        Refuser refuser;
        const char* where;     // the file replaced or refused
        bool second = false;   // after another file of its group, which changes with it or not
        bool own = false;      // planted by the user who replaces, in a folder only it writes
    };
    const Row rows[] = {
        {"a plain file keeps its mode", {}, {}, Refuser::Unknown, "initdir.txt", true},
        {"the user's own link in a private folder is followed", test::Planted::LinkToFile, {},
         Refuser::Unknown, "linked.txt", false, true},
        // Another user's link, or one in a folder anybody may write, could send it anywhere.
        {"a link in a folder anybody may write", test::Planted::LinkToFile,
         ErrorKind::FileWriteFailure, Refuser::Link, "initdir.txt"},
        {"a link as the second file", test::Planted::LinkToFile, ErrorKind::FileWriteFailure,
         Refuser::Link, "initdir.txt", true},
        {"a write-protected file", test::Planted::ReadOnly, ErrorKind::FileWriteFailure,
         Refuser::File, "initdir.txt"},
        {"a write-protected second file", test::Planted::ReadOnly, ErrorKind::FileWriteFailure,
         Refuser::File, "initdir.txt", true},
        {"a folder that takes no files", test::Planted::LockedFolder, ErrorKind::FileWriteFailure,
         Refuser::Folder, "initdir.txt"},
        {"a folder in its place", test::Planted::Folder, ErrorKind::NotARegularFile,
         Refuser::Unknown, "initdir.txt"},
        {"a folder in the second file's place", test::Planted::Folder,
         ErrorKind::NotARegularFile, Refuser::Unknown, "initdir.txt", true},
        {"a pipe in its place", test::Planted::Fifo, ErrorKind::NotARegularFile, Refuser::Unknown,
         "initdir.txt"},
        {"a link to a device", test::Planted::DevZeroLink, ErrorKind::NotARegularFile,
         Refuser::Unknown, "initdir.txt", false, true},
        {"a folder that does not exist", {}, ErrorKind::FileWriteFailure, Refuser::Unknown,
         "no-such-folder/initdir.txt"},
        // Writable by all, but only its owner may replace it there.
        {"another user's file in a shared folder", test::Planted::SharedFolder,
         ErrorKind::FileWriteFailure, Refuser::OtherUser, "initdir.txt"},
        // Neither old version can be kept aside, so neither file may be replaced.
        {"two files that may be written but not read", test::Planted::WriteOnly,
         ErrorKind::PermissionDenied, Refuser::Unknown, "initdir.txt", true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const bool anotherUser =
            r.planted == test::Planted::SharedFolder || r.planted == test::Planted::WriteOnly;
        if (anotherUser && ::geteuid() != 0) continue;  // an owner may always link its file
        test::ScopedWorkDir dir;
        fs::permissions(".", r.own ? fs::perms::owner_all : fs::perms::all);
        if (r.planted) {
            test::plant("initdir.txt", *r.planted, "old\r\n");
        } else {
            // Not the mode a new file gets, so that keeping it shows.
            test::writeFile("initdir.txt", "old\r\n");
            fs::permissions("initdir.txt", fs::perms::owner_read | fs::perms::owner_write |
                                               fs::perms::group_write | fs::perms::others_read |
                                               fs::perms::others_write);
        }
        if (r.second) {
            test::writeFile("first.txt", "old\r\n");
            fs::permissions("first.txt", r.planted == test::Planted::WriteOnly
                                             ? fs::status("initdir.txt").permissions()
                                             : fs::perms::all);
        }
        const bool plainFile = fs::is_regular_file(r.where);
        const fs::perms mode = fs::status(r.where).permissions();
        const std::size_t entries = std::distance(fs::directory_iterator("."), {});
        {
            std::optional<test::AsUnprivileged> user;
            if (!r.own) user.emplace();
            const auto replace = [&](const fs::path& where) {
                ReplaceGroup group;
                if (r.second) group.add("first.txt", "new\r\n", FileRole::Ball1Traj);
                group.add(where, "new\r\n", FileRole::Initdir);
                group.commit();
            };
            if (r.kind) {
                try {
                    replace(r.where);
                    ADD_FAILURE() << "replaced";
                } catch (const RunError& e) {
                    EXPECT_EQ(e.kind(), *r.kind) << e.what();
                    EXPECT_EQ(e.detail(), r.where);
                    EXPECT_EQ(e.role(), FileRole::Initdir);
                    EXPECT_EQ(e.refuser(), r.refuser);
                }
            } else {
                replace("initdir.txt");
            }
        }
        EXPECT_EQ(std::distance(fs::directory_iterator("."), {}), entries) << "a file left";
        if (r.second) {
            EXPECT_EQ(test::readFile("first.txt"), r.kind ? "old\r\n" : "new\r\n");
        }
        if (plainFile) {
            EXPECT_EQ(test::readFile(r.where), r.kind ? "old\r\n" : "new\r\n");
            if (r.planted == test::Planted::LinkToFile) {
                EXPECT_EQ(test::readFile("linked.txt"), r.own ? "new\r\n" : "old\r\n");
            }
            EXPECT_EQ(fs::status(r.where).permissions(), mode);
        }
        EXPECT_EQ(fs::is_symlink("initdir.txt"), r.planted == test::Planted::LinkToFile ||
                                                     r.planted == test::Planted::DevZeroLink);
    }
}

// Each new file is on the disk before its name moves to it, the journal before the first file
// is renamed in, and the folder after the last: a crash leaves the old pair or the new one.
TEST(ReplaceGroup, OnTheDiskBeforeRenamed) {
    test::ScopedWorkDir dir;
    static std::vector<std::string> calls;  // "flush NAME", "rename NAME"
    calls.clear();
    const DiskCalls real = diskCalls;
    diskCalls.flush = [](int fd) {
        const auto at = std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd));
        calls.push_back("flush " + at.filename().string());
        return ::fsync(fd);
    };
    diskCalls.rename = [](int from, const char* name, int to, const char* target) {
        calls.push_back(std::string("rename ") + name);
        return ::renameat(from, name, to, target);
    };
    {
        ReplaceGroup files;
        files.add("initdir.txt", "new", FileRole::Initdir);
        files.add("Ball1Traj.txt", "new", FileRole::Ball1Traj);
        files.commit();
    }
    diskCalls = real;
    const std::string folder = "flush " + std::filesystem::current_path().filename().string();
    std::vector<std::size_t> renames;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (!calls[i].starts_with("rename ")) continue;
        renames.push_back(i);
        const std::string flushed = "flush " + calls[i].substr(7);
        EXPECT_NE(std::find(calls.begin(), calls.begin() + i, flushed), calls.begin() + i)
            << calls[i];
    }
    ASSERT_EQ(renames.size(), 3u);  // the journal, then the two files
    const auto between = [&](std::size_t from, std::size_t to) {
        return std::find(calls.begin() + from, calls.begin() + to, folder) != calls.begin() + to;
    };
    EXPECT_TRUE(between(renames[0], renames[1])) << "the journal renamed in";
    EXPECT_TRUE(between(renames[2], calls.size())) << "the files renamed in";
}

// Two programs replacing the same pair in one folder: whoever holds the folder's lock always
// finds the two files from one commit.
TEST(ReplaceGroup, TwoProgramsNeverMixTheirFiles) {
    test::ScopedWorkDir dir;
    // A lock another program holds is never waited for: each pair is tried again until it goes.
    const auto commitPairs = [](const std::string& who) {
        for (int i = 0; i < 400; ++i) {
            for (bool done = false; !done;) {
                try {
                    ReplaceGroup files;
                    const std::string text = who + std::to_string(i);
                    files.add("initdir.txt", text, FileRole::Initdir);
                    files.add("Ball1Traj.txt", text, FileRole::Ball1Traj);
                    files.commit();
                    done = true;
                } catch (const RunError& e) {
                    if (e.kind() != ErrorKind::FolderBusy) throw;
                }
            }
        }
    };
    commitPairs("parent");
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        if ((writers[w] = ::fork()) == 0) {
            commitPairs("writer" + std::to_string(w));
            ::_exit(0);
        }
    }
    int mixed = 0;
    const int folder = ::open(".", O_RDONLY | O_DIRECTORY);
    for (int look = 0; look < 2000; ++look) {
        ::flock(folder, LOCK_EX);
        mixed += test::readFile("initdir.txt") != test::readFile("Ball1Traj.txt");
        ::flock(folder, LOCK_UN);
    }
    ::close(folder);
    for (pid_t w : writers) ::waitpid(w, nullptr, 0);
    EXPECT_EQ(mixed, 0);
    EXPECT_EQ(test::readFile("initdir.txt"), test::readFile("Ball1Traj.txt"));
}

// A pair whose commit stops part way is settled whole: by the commit itself when a later
// rename fails, and when the program is killed, at the next start (when no other program holds
// the folder); what a stopped commit or write left beside the files goes.
TEST(ReplaceGroup, APairStoppedPartWayIsSettledWhole) {
    namespace fs = std::filesystem;
    enum class Stop { RenameFails, Killed, WriteCutShort };
    struct Row {
        const char* name;
        Stop stop;
        std::size_t after;       // renames done when it stops
        bool otherAtWork;        // another program holds the folder at the start
        const char* pair;        // what both files then hold
        bool leftovers;          // files beside them that are not theirs
    };
    const Row rows[] = {
        {"the second rename fails", Stop::RenameFails, 1, false, "old", false},
        {"killed after the first rename", Stop::Killed, 1, false, "old", false},
        {"killed after the last rename", Stop::Killed, 2, false, "new", false},
        {"killed while another program is at work", Stop::Killed, 1, true, "mixed", true},
        {"killed while writing", Stop::WriteCutShort, 0, false, "old", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        test::ScopedWorkDir dir;
        test::writeFile("initdir.txt", "old");
        test::writeFile("Ball1Traj.txt", "old");
        const auto commit = [&](std::size_t stopAfter) {
            ReplaceGroup files;
            files.add("initdir.txt", "new", FileRole::Initdir);
            files.add("Ball1Traj.txt", "new", FileRole::Ball1Traj);
            if (r.stop == Stop::WriteCutShort) ::_exit(0);
            files.commit(nullptr, [&](std::size_t renamed) {
                if (renamed != stopAfter) return;
                if (r.stop == Stop::Killed) ::_exit(0);
                fs::remove("Ball1Traj.txt");
                fs::create_directories("Ball1Traj.txt/in the way");
            });
        };
        if (r.stop == Stop::RenameFails) {
            test::expectRunError([&] { commit(r.after); }, ErrorKind::FileWriteFailure,
                                 "Ball1Traj.txt");
            fs::remove_all("Ball1Traj.txt");
            test::writeFile("Ball1Traj.txt", "old");
        } else {
            const pid_t child = ::fork();
            if (child == 0) {
                commit(r.after);
                ::_exit(1);
            }
            ::waitpid(child, nullptr, 0);
            const int other = ::open(".", O_RDONLY | O_DIRECTORY);
            if (r.otherAtWork) ::flock(other, LOCK_SH);
            const Recovery expected =
                r.otherAtWork ? Recovery::Busy
                : r.stop == Stop::Killed && std::string(r.pair) == "old" ? Recovery::PutBack
                                                                         : Recovery::Nothing;
            EXPECT_EQ(recoverReplaced({"initdir.txt", "Ball1Traj.txt"}), expected);
            ::close(other);
        }
        const std::string pair = test::readFile("initdir.txt") + test::readFile("Ball1Traj.txt");
        EXPECT_EQ(pair, std::string(r.pair) == "mixed" ? "newold" : r.pair + std::string(r.pair));
        EXPECT_EQ(std::distance(fs::directory_iterator("."), {}) > 2, r.leftovers);
    }
}

// What another user, or an old mishap, leaves beside the data files: a journal this program
// cannot trust is never acted on and stands in the way, named with its owner; a lock another
// program holds is never waited for. Nothing outside the folder changes, nor the pair.
TEST(ReplaceGroup, HostileFoldersChangeNothing) {
    namespace fs = std::filesystem;
    enum class Left { OthersJournal, JournalNamingOutside, JournalLink, HeldLock };
    struct Row {
        const char* name;
        Left left;
        ErrorKind kind;
        Refuser refuser;
        const char* owner;
        Recovery recovery;
    };
    const Row rows[] = {
        {"another user's journal", Left::OthersJournal, ErrorKind::FileWriteFailure,
         Refuser::InTheWay, "root", Recovery::Blocked},
        {"the user's own journal naming a file outside", Left::JournalNamingOutside,
         ErrorKind::FileWriteFailure, Refuser::InTheWay, "", Recovery::Blocked},
        {"a journal that is a link", Left::JournalLink, ErrorKind::FileWriteFailure,
         Refuser::InTheWay, "", Recovery::Blocked},
        {"another program holds the folder", Left::HeldLock, ErrorKind::FolderBusy,
         Refuser::Unknown, "", Recovery::Busy},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const bool asOther = r.left == Left::OthersJournal;
        if (asOther && ::geteuid() != 0) continue;  // only root can leave another user's file
        test::ScopedWorkDir dir;
        fs::create_directory("home");
        test::writeFile("home/victim", "keep");
        fs::create_directory("pitches");
        fs::permissions("pitches", asOther ? fs::perms::all | fs::perms::sticky_bit
                                           : fs::perms::owner_all);
        if (!asOther) {
            test::writeFile("pitches/initdir.txt", "old");
            test::writeFile("pitches/Ball1Traj.txt", "old");
        }
        const std::string marks = "0123456789abcdef";
        const auto journal = [&](const std::string& backup) {
            return std::string("ballview journal 1\n") + "pitches/initdir.txt" + '\0' + "1" +
                   '\0' + backup + '\0' + "pitches/initdir.txt.tmp" + marks + '\0';
        };
        const std::string wellFormed = journal("pitches/initdir.txt.bak" + marks);
        const int folder = ::open("pitches", O_RDONLY | O_DIRECTORY);
        switch (r.left) {
            case Left::OthersJournal:
                test::writeFile("pitches/initdir.txt.journal", wellFormed);
                break;
            case Left::JournalNamingOutside:
                test::writeFile("pitches/initdir.txt.journal",
                                journal(fs::absolute("home/victim").string()));
                break;
            case Left::JournalLink:
                test::writeFile("home/journal", wellFormed);
                fs::create_symlink("../home/journal", "pitches/initdir.txt.journal");
                break;
            case Left::HeldLock: ::flock(folder, LOCK_SH); break;
        }
        {
            std::optional<test::AsUnprivileged> user;
            if (asOther) user.emplace();
            const auto start = std::chrono::steady_clock::now();
            try {
                ReplaceGroup files;
                files.add("pitches/initdir.txt", "new", FileRole::Initdir);
                files.add("pitches/Ball1Traj.txt", "new", FileRole::Ball1Traj);
                files.commit();
                ADD_FAILURE() << "replaced";
            } catch (const RunError& e) {
                EXPECT_EQ(e.kind(), r.kind) << e.what();
                EXPECT_EQ(e.refuser(), r.refuser);
                EXPECT_EQ(e.owner(), r.owner);
                if (r.kind != ErrorKind::FolderBusy) {
                    EXPECT_EQ(e.detail(), "pitches/initdir.txt.journal");
                }
            }
            EXPECT_EQ(recoverReplaced({"pitches/initdir.txt", "pitches/Ball1Traj.txt"}),
                      r.recovery);
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
        }
        ::close(folder);
        EXPECT_EQ(test::readFile("home/victim"), "keep");
        EXPECT_EQ(fs::exists(fs::symlink_status("pitches/initdir.txt.journal")),
                  r.left != Left::HeldLock);
        if (!asOther) {
            EXPECT_EQ(test::readFile("pitches/initdir.txt") + test::readFile("pitches/Ball1Traj.txt"),
                      "oldold");
        }
        const std::size_t expected = asOther ? 1 : r.left == Left::HeldLock ? 2 : 3;
        EXPECT_EQ(std::distance(fs::directory_iterator("pitches"), {}), expected) << "a file left";
    }
}

// What an old run left at the names made beside the files goes at start, a stale backup too.
TEST(ReplaceGroup, LeftoversGoAtStart) {
    test::ScopedWorkDir dir;
    test::writeFile("initdir.txt", "kept");
    test::writeFile("initdir.txt.bak0123456789abcdef", "stale");
    test::writeFile("Ball1Traj.txt.tmp0123456789abcdef", "cut short");
    test::writeFile("initdir.txt.bak01234", "not a name made here");
    EXPECT_EQ(recoverReplaced({"initdir.txt", "Ball1Traj.txt"}), Recovery::Nothing);
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(".")) {
        left.push_back(e.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"initdir.txt", "initdir.txt.bak01234"}));
}

// A reader takes only a regular file of a size that fits the format, and never waits.
TEST(ReadInitdir, OnlyARegularFileOfItsSize) {
    PitchState s;
    test::expectOnlyRegularFilesRead("initdir.txt", "0.5,0.25,0,0,1.754\r\n",
                                     [&] { readInitdir(s, "initdir.txt"); });
}

}  // namespace
}  // namespace ball
