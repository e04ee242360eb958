#include "atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <algorithm>
#include <random>
#include <utility>

namespace ball {

namespace {

bool refusedByPermission(int error) { return error == EACCES || error == EPERM || error == EROFS; }

// A name beside the file that nobody can guess ahead: 64 random bits.
std::filesystem::path temporaryBeside(const std::filesystem::path& path) {
    std::random_device rd;
    const unsigned long long bits = (static_cast<unsigned long long>(rd()) << 32) ^ rd();
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".tmp%016llx", bits);
    std::filesystem::path tmp = path;
    tmp += suffix;
    return tmp;
}

// A link is followed to the file it names, as a plain write would; a dangling one is made real.
std::filesystem::path resolved(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) return path;
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : target;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The folder of a file, opened and locked for a commit; closing it releases the lock.
class FolderLock {
public:
    explicit FolderLock(const std::filesystem::path& file) {
        const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
        // A folder that cannot be read cannot be locked or flushed; its files still go in place.
        fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ < 0) return;
        ::fstat(fd_, &id_);
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    FolderLock(FolderLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)), id_(other.id_) {}
    FolderLock(const FolderLock&) = delete;
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    // Only once a rename is done does the folder's entry need to reach the disk.
    void flush() const {
        if (fd_ >= 0) ::fsync(fd_);
    }
    bool sameFolder(const std::filesystem::path& file) const {
        struct stat other {};
        const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
        return fd_ >= 0 && ::stat(folder.c_str(), &other) == 0 && other.st_dev == id_.st_dev &&
               other.st_ino == id_.st_ino;
    }

private:
    int fd_ = -1;
    struct stat id_ {};
};

}  // namespace

ReplaceGroup::~ReplaceGroup() {
    for (const Staged& s : staged_) ::unlink(s.temporary.c_str());
}

void ReplaceGroup::add(const std::filesystem::path& path, std::string_view bytes, FileRole role) {
    const std::string name = path.string();
    const auto fail = [&](Refuser refuser) {
        return RunError(ErrorKind::FileWriteFailure, name, role, refuser);
    };
    const std::filesystem::path target = resolved(path);

    // A file the user may not write stays as it is, as it would under a plain write; one that
    // may be written keeps its permissions.
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) throw RunError(ErrorKind::NotARegularFile, name, role);
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        throw fail(refusedByPermission(errno) ? Refuser::File : Refuser::Unknown);
    }

    // Created exclusively and never through a link: nothing planted at the name is touched.
    std::filesystem::path tmp;
    int fd = -1;
    for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
        tmp = temporaryBeside(target);
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) throw fail(refusedByPermission(errno) ? Refuser::Folder : Refuser::Unknown);

    // On disk before any rename, so that a power cut leaves the old file or the new one whole.
    bool written = writeAll(fd, bytes);
    if (written && exists) written = ::fchmod(fd, old.st_mode & 07777) == 0;
    written = written && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written) {
        const int error = errno;
        ::unlink(tmp.c_str());
        throw fail(refusedByPermission(error) ? Refuser::Folder : Refuser::Unknown);
    }
    staged_.push_back({target, tmp, name, role});
}

void ReplaceGroup::commit() {
    std::vector<FolderLock> locks;
    for (const Staged& s : staged_) {
        const bool locked = std::any_of(locks.begin(), locks.end(), [&](const FolderLock& l) {
            return l.sameFolder(s.target);
        });
        if (!locked) locks.emplace_back(s.target);
    }
    while (!staged_.empty()) {
        const Staged& s = staged_.front();
        if (::rename(s.temporary.c_str(), s.target.c_str()) != 0) {
            const Refuser refuser = refusedByPermission(errno) ? Refuser::Folder : Refuser::Unknown;
            throw RunError(ErrorKind::FileWriteFailure, s.name, s.role, refuser);
        }
        staged_.erase(staged_.begin());
    }
    for (const FolderLock& l : locks) l.flush();
}

void replaceFile(const std::filesystem::path& path, std::string_view bytes, FileRole role) {
    ReplaceGroup group;
    group.add(path, bytes, role);
    group.commit();
}

}  // namespace ball
