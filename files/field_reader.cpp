#include "field_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace ball {

namespace {

// Longer than any number the program writes or a person types; a longer field is not one.
constexpr std::size_t kMaxFieldLength = 64;

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

// Closes the descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

namespace {

// Opened non-blocking, so that a pipe of that name cannot hold the window; checked on the open
// descriptor, so that nothing can swap the name in between.
int openRegular(const std::filesystem::path& path, FileRole role, struct stat& st) {
    const std::string name = path.string();
    Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    if (file.fd < 0) {
        const bool denied = errno == EACCES || errno == EPERM;
        throw RunError(denied ? ErrorKind::PermissionDenied : ErrorKind::FileNotFound, name, role);
    }
    if (::fstat(file.fd, &st) != 0) throw RunError(ErrorKind::FileNotFound, name, role);
    if (!S_ISREG(st.st_mode)) throw RunError(ErrorKind::NotARegularFile, name, role);
    return std::exchange(file.fd, -1);
}

}  // namespace

FilePieces::FilePieces(const std::filesystem::path& path, FileRole role)
    : fd_(-1), name_(path.string()), role_(role) {
    struct stat st {};
    fd_ = openRegular(path, role, st);
    size_ = static_cast<std::uint64_t>(st.st_size);
}

FilePieces::~FilePieces() {
    if (fd_ >= 0) ::close(fd_);
}

std::size_t FilePieces::readSome(std::string& to, std::size_t max) {
    const std::size_t at = to.size();
    to.resize(at + max);
    for (;;) {
        const ssize_t n = ::read(fd_, to.data() + at, max);
        if (n < 0 && errno == EINTR) continue;
        to.resize(at + static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
        if (n < 0) throw RunError(ErrorKind::BadFileData, name_, role_);
        return static_cast<std::size_t>(n);
    }
}

std::string readWholeFile(const std::filesystem::path& path, FileRole role, std::size_t maxBytes) {
    FilePieces file(path, role);
    if (file.size() > maxBytes) {
        throw RunError(ErrorKind::BadFileData, path.string(), role)
            .withSize(file.size(), maxBytes);
    }
    // The size may change while we read: never take more than the bound allows.
    std::string text;
    text.reserve(file.size());
    while (text.size() <= maxBytes && file.readSome(text, maxBytes + 1 - text.size()) > 0) {
    }
    if (text.size() > maxBytes) throw RunError(ErrorKind::BadFileData, path.string(), role);
    return text;
}

FieldReader::FieldReader(const std::filesystem::path& path, FileRole role, std::size_t maxBytes)
    : name_(path.string()), role_(role), text_(readWholeFile(path, role, maxBytes)) {}

FieldReader::FieldReader(std::string name, FileRole role, std::string text)
    : name_(std::move(name)), role_(role), text_(std::move(text)) {}

ScannedNumber FieldReader::next() {
    while (pos_ < text_.size() && (isBlank(text_[pos_]) || isLineEnd(text_[pos_]))) ++pos_;
    if (pos_ >= text_.size()) throw RunError(ErrorKind::InputPastEndOfFile, name_, role_);

    std::size_t end = pos_;
    while (end < text_.size() && text_[end] != ',' && !isLineEnd(text_[end])) {
        if (++end - pos_ > kMaxFieldLength) throw RunError(ErrorKind::BadFileData, name_, role_);
    }
    std::size_t last = end;
    while (last > pos_ && isBlank(text_[last - 1])) --last;
    const std::string_view field(text_.data() + pos_, last - pos_);
    pos_ = end < text_.size() && text_[end] == ',' ? end + 1 : end;

    ScannedNumber n;
    naming([&] { n = scanNumber(field); });
    // Garbage read as a number would draw nonsense: the whole field must be one.
    if (n.length == 0 || n.length != field.size()) {
        throw RunError(ErrorKind::BadFileData, name_, role_);
    }
    return n;
}

}  // namespace ball
