#include "run_error.h"

#include <utility>

namespace ball {

namespace {

std::string describe(ErrorKind kind, const std::string& detail) {
    std::string text = errorName(kind);
    if (!detail.empty()) text += ": " + detail;
    return text;
}

}  // namespace

RunError::RunError(ErrorKind kind, std::string detail, FileRole role, Refuser refuser)
    : std::runtime_error(describe(kind, detail)),
      kind_(kind),
      detail_(std::move(detail)),
      role_(role),
      refuser_(refuser) {}

RunError RunError::inBox(std::string box) const {
    RunError e = *this;
    e.box_ = std::move(box);
    return e;
}

RunError RunError::withOwner(std::string owner) const {
    RunError e = *this;
    e.owner_ = std::move(owner);
    return e;
}

RunError RunError::withSize(unsigned long long size, unsigned long long limit) const {
    RunError e = *this;
    e.size_ = size;
    e.limit_ = limit;
    return e;
}

RunError RunError::asTooSlow() const {
    RunError e = *this;
    e.tooSlow_ = true;
    return e;
}

const char* errorName(ErrorKind kind) {
    switch (kind) {
        case ErrorKind::DivisionByZero: return "division by zero";
        case ErrorKind::Overflow: return "overflow";
        case ErrorKind::SubscriptOutOfRange: return "subscript out of range";
        case ErrorKind::FileNotFound: return "file not found";
        case ErrorKind::InputPastEndOfFile: return "input past end of file";
        case ErrorKind::FileWriteFailure: return "file write failure";
        case ErrorKind::BadFileData: return "bad data in file";
        case ErrorKind::PermissionDenied: return "permission denied";
        case ErrorKind::NotARegularFile: return "not a regular file";
        case ErrorKind::NegativeSpeed: return "negative speed";
        case ErrorKind::FolderBusy: return "folder busy";
    }
    return "run-time error";
}

}  // namespace ball
