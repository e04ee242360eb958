#pragma once

#include <stdexcept>
#include <string>

namespace ball {

/// The kinds of run-time error that end a click.
enum class ErrorKind {
    DivisionByZero,
    Overflow,
    SubscriptOutOfRange,
    FileNotFound,
    InputPastEndOfFile,
    FileWriteFailure,
    BadFileData,
    PermissionDenied,  // a file the user may not read
    NotARegularFile,   // a folder, pipe or device where a file belongs
    NegativeSpeed,     // a speed below zero, which would fly no step
    FolderBusy,        // another program holds the data files' folder
};

/// Which of the program's two files an error concerns, if any.
enum class FileRole {
    None,
    Initdir,    // the saved release direction, "initdir.txt"
    Ball1Traj,  // the last Ball-1 trajectory, "Ball1Traj.txt"
};

/// What refused a file write, where that is known.
enum class Refuser {
    Unknown,
    File,    // the file itself may not be written
    Folder,     // its folder takes no new files
    OtherUser,  // it is another user's, in a shared folder where only its owner may replace it
    Link,       // a link another user made, or one in a folder where others make files: not
                // followed
    InTheWay,   // a file this program did not write, at a name it keeps beside its files
};

/// The one error type: raised at the failing step, caught only by the window's click handlers.
class RunError : public std::runtime_error {
public:
    RunError(ErrorKind kind, std::string detail = {}, FileRole role = FileRole::None,
             Refuser refuser = Refuser::Unknown);

    ErrorKind kind() const { return kind_; }
    /// What the error concerns, such as a file name; may be empty.
    const std::string& detail() const { return detail_; }
    /// The file the error concerns, by its role; None when it concerns no file.
    FileRole role() const { return role_; }
    /// For a file write failure, what refused it.
    Refuser refuser() const { return refuser_; }
    /// The user name of whoever owns what refused it, where that is another user; else empty.
    const std::string& owner() const { return owner_; }
    /// The same error, naming the owner of what refused it.
    RunError withOwner(std::string owner) const;
    /// For a file larger than its reader takes, its size and the most taken, in bytes; else 0.
    unsigned long long size() const { return size_; }
    unsigned long long limit() const { return limit_; }
    /// The same error, for a file of that size over that limit.
    RunError withSize(unsigned long long size, unsigned long long limit) const;
    /// The text box whose value caused it, by control name and index, such as "SpeedTxt(0)";
    /// empty when no one box did.
    const std::string& box() const { return box_; }
    /// The same error, caused by the box's value.
    RunError inBox(std::string box) const;
    /// Whether it is an overflow of the step count: a speed too slow to be flown.
    bool tooSlow() const { return tooSlow_; }
    /// The same error, marked as caused by a speed too slow to be flown.
    RunError asTooSlow() const;

private:
    ErrorKind kind_;
    std::string detail_;
    FileRole role_;
    Refuser refuser_;
    std::string owner_;
    unsigned long long size_ = 0;
    unsigned long long limit_ = 0;
    std::string box_;
    bool tooSlow_ = false;
};

/// A short English name of the kind, for logs and what().
const char* errorName(ErrorKind kind);

}  // namespace ball
