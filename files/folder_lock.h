#pragma once

#include <sys/stat.h>

#include <filesystem>

namespace ball {

/// A lock on a folder shared by every program that keeps its files there: readers of a pair of
/// files hold it shared, a commit that replaces them holds it exclusive, so that no reader sees
/// half a commit. It is taken on the folder itself, so no lock file is left behind, and released
/// when the object goes. A folder that cannot be opened cannot be locked; its files are still
/// read and written.
class FolderLock {
public:
    enum class Mode { Shared, Exclusive };

    /// Locks the folder, waiting for other programs' locks to go; or, with wait false, only
    /// when no other program holds a lock on it.
    FolderLock(const std::filesystem::path& folder, Mode mode, bool wait = true);
    /// The folder of a file.
    static std::filesystem::path folderOf(const std::filesystem::path& file);

    FolderLock(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    FolderLock& operator=(FolderLock&&) = delete;
    ~FolderLock();

    /// Whether the lock is held.
    bool held() const { return held_; }
    /// Whether a file's folder is the one locked, and the lock is exclusive.
    bool coversCommitTo(const std::filesystem::path& file) const;
    /// Puts the folder's entries on disk, so that a rename survives a power cut.
    void flush() const;

private:
    int fd_ = -1;
    bool held_ = false;
    Mode mode_;
    struct stat id_ {};
};

}  // namespace ball
