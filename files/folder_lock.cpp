#include "folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "disk_calls.h"

namespace ball {

FolderLock::FolderLock(const std::filesystem::path& folder, Mode mode) : mode_(mode) {
    fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    ::fstat(fd_, &id_);
    const int operation = (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    int result;
    while ((result = ::flock(fd_, operation)) != 0 && errno == EINTR) {
    }
    held_ = result == 0;
    busy_ = result != 0 && errno == EWOULDBLOCK;
}

std::filesystem::path FolderLock::folderOf(const std::filesystem::path& file) {
    return file.has_parent_path() ? file.parent_path() : ".";
}

FolderLock::FolderLock(FolderLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      held_(std::exchange(other.held_, false)),
      busy_(std::exchange(other.busy_, false)),
      mode_(other.mode_),
      id_(other.id_) {}

FolderLock::~FolderLock() {
    if (fd_ >= 0) ::close(fd_);
}

bool FolderLock::coversCommitTo(const std::filesystem::path& file) const {
    struct stat other {};
    return fd_ >= 0 && mode_ == Mode::Exclusive && ::stat(folderOf(file).c_str(), &other) == 0 &&
           other.st_dev == id_.st_dev && other.st_ino == id_.st_ino;
}

void FolderLock::flush() const {
    if (fd_ >= 0) diskCalls.flush(fd_);
}

}  // namespace ball
