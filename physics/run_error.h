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
};

/// The one error type: raised at the failing step, caught only by the window's click handlers.
class RunError : public std::runtime_error {
public:
    RunError(ErrorKind kind, std::string detail = {});

    ErrorKind kind() const { return kind_; }
    /// What the error concerns, such as a file name; may be empty.
    const std::string& detail() const { return detail_; }

private:
    ErrorKind kind_;
    std::string detail_;
};

/// A short English name of the kind, for logs and what().
const char* errorName(ErrorKind kind);

}  // namespace ball
