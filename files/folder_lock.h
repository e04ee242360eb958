#pragma once

#include <sys/stat.h>

#include <filesystem>

namespace ball {

/// A lock on a folder shared by every program that keeps its files there: readers of a pair of
/// files hold it shared, a commit that replaces them holds it exclusive, so that no reader sees
/// half a commit. It is taken on the folder itself, so no lock file is left behind, and released
/// when the object goes. It never waits: a lock another program holds is not taken, and the
/// caller says so or tries again later. A folder that cannot be opened cannot be locked; its
/// files are still read and written.
class FolderLock {
public:
    enum class Mode { Shared, Exclusive };

    /// Locks the folder when no other program holds a lock on it that excludes this one.
    FolderLock(const std::filesystem::path& folder, Mode mode);
    /// The folder of a file.
    static std::filesystem::path folderOf(const std::filesystem::path& file);

    FolderLock(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    FolderLock& operator=(FolderLock&&) = delete;
    ~FolderLock();

    /// Whether another program holds a lock on the folder that kept this one from being taken.
    bool busy() const { return busy_; }
    /// Whether a file's folder is the one locked, and the lock is exclusive.
    bool coversCommitTo(const std::filesystem::path& file) const;
    /// Puts the folder's entries on disk, so that a rename survives a power cut.
    void flush() const;

private:
    int fd_ = -1;
    bool held_ = false;
    bool busy_ = false;
    Mode mode_;
    struct stat id_ {};
};

}  // namespace ball
