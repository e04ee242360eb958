#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "physics/pitch_state.h"
#include "physics/run_error.h"

namespace ball::test {

/// A fresh empty folder that is the working directory for the life of the object.
class ScopedWorkDir {
public:
    ScopedWorkDir();
    ~ScopedWorkDir();
    const std::filesystem::path& path() const { return dir_; }

private:
    std::filesystem::path dir_;
    std::filesystem::path previous_;
};

/// What a careless or hostile user can leave at a file's name.
enum class Planted {
    Fifo,         // a named pipe nobody writes to
    DevZeroLink,  // a link to /dev/zero, which never ends
    Oversize,     // a 2 GiB sparse file
    Unreadable,   // the given text, mode 000
    ReadOnly,     // the given text, mode 444, in a folder anybody may write
    Folder,       // a folder
    LockedFolder, // nothing at the name, in a folder that takes no new files (mode 555)
    LinkToFile,   // a link to another file, anybody may write, holding the given text
    SharedFolder, // the given text, anybody may write, in a folder with the sticky bit (as the
                  // system's temporary folder), the file the planter's
    WriteOnly,    // the given text, anybody may write it but none read it, mode 222
};

/// Leaves `what` at the name; the text is used where the kind holds one.
void plant(const std::filesystem::path& name, Planted what, const std::string& text);

/// A reader's table for what can stand at its file's name: a pipe, a device or a folder is
/// not a regular file, a 2 GiB file is bad data, a mode-000 file is denied, each at once and
/// naming the file; a link to a valid file is followed. `valid` is a valid file's text.
void expectOnlyRegularFilesRead(const std::string& name, const std::string& valid,
                                const std::function<void()>& read);

/// For its lifetime, a process running as root acts as the user "nobody", so that file
/// permissions apply as they do to any user; other processes run unchanged.
class AsUnprivileged {
public:
    AsUnprivileged();
    ~AsUnprivileged();
    AsUnprivileged(const AsUnprivileged&) = delete;
    AsUnprivileged& operator=(const AsUnprivileged&) = delete;

private:
    bool switched_ = false;
};

/// The pitch state as the Ball-1 setup leaves it for the default panel (125 km/h, spin 30 and
/// 30, ordinary ball, axis 0, target column 3 row 3), filled by hand with written-out figures.
PitchState defaultBall1State();

/// Runs f and checks that it raises a RunError of the kind (and detail and box, when given).
template <class F>
void expectRunError(F&& f, ErrorKind kind, const std::string& detail = {},
                    const std::string& box = {}) {
    try {
        f();
        ADD_FAILURE() << "expected " << errorName(kind);
    } catch (const RunError& e) {
        EXPECT_EQ(e.kind(), kind) << e.what();
        if (!detail.empty()) {
            EXPECT_EQ(e.detail(), detail);
        }
        if (!box.empty()) {
            EXPECT_EQ(e.box(), box);
        }
    }
}

std::string readFile(const std::filesystem::path& path);
/// The numbers of one comma-separated line.
std::vector<double> readDoubles(const std::string& line);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace ball::test
