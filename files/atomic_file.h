#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "folder_lock.h"
#include "physics/run_error.h"

namespace ball {

/// Files replaced together, all or none. add() writes each whole to a temporary file beside it
/// and flushes it to disk; commit() renames them over their files while holding a lock on their
/// folder, so that two programs in one folder never mix their files, then flushes the folder.
/// A group dropped before its commit removes what it wrote, and every file stays as it was.
///
/// Two or more files keep their old versions aside while they are renamed in, with a journal
/// beside the first naming them: a rename that fails puts back the files already replaced, and
/// a commit cut short by a crash is undone by recoverReplaced() or by the next commit there.
///
/// A file keeps its permissions. A link is followed to the file it names only when it is the
/// user's own, in a folder where no one else can make files; the names this program makes
/// beside a file (its new content, its old version, the journal) are never followed, and are
/// reached from the folder's open descriptor. A journal is trusted only when it is the user's
/// own regular file naming nothing but the group's files and those names beside them; any other
/// stands in the way and is left alone. Errors name the file with its role: FileWriteFailure
/// when the file or its folder refuses (saying which, whose file or link is in the way), and
/// NotARegularFile when something else stands at the name; FolderBusy when another program
/// holds a lock on a folder (never waited for).
class ReplaceGroup {
public:
    ReplaceGroup();
    ReplaceGroup(const ReplaceGroup&) = delete;
    ReplaceGroup& operator=(const ReplaceGroup&) = delete;
    ~ReplaceGroup();

    /// Writes the bytes that are to replace the file, flushed to disk.
    void add(const std::filesystem::path& path, std::string_view bytes, FileRole role);
    /// Puts every added file in place. `held` is an exclusive lock the caller already holds on
    /// the files' folder, if it does; any other folder is locked here. `afterRename` is called
    /// with the count of files renamed in so far, after each rename.
    void commit(const FolderLock* held = nullptr,
                const std::function<void(std::size_t)>& afterRename = {});

private:
    struct Staged {
        std::filesystem::path target;     // the file replaced, a link followed
        std::string temporary;            // its new content in target's folder, until renamed in
        std::string name;                 // as the caller named it, for errors
        FileRole role;
    };
    struct Folders;
    std::unique_ptr<Folders> folders_;
    std::vector<Staged> staged_;
};

/// Replaces one file with the bytes, as a group of one.
void replaceFile(const std::filesystem::path& path, std::string_view bytes, FileRole role);

/// What a recovery found.
enum class Recovery {
    Nothing,  // nothing was cut short
    PutBack,  // a commit cut short was undone
    Busy,     // another program holds a folder: nothing was looked at there; try again later
    Blocked,  // a journal this program cannot trust stands beside the files, left alone
};

/// Puts the files back as they were before a commit that a crash cut short, and removes what
/// such a commit, or a write cut short, left beside them (only the user's own files, at names
/// this program makes); only when no other program holds a lock on their folder.
Recovery recoverReplaced(const std::vector<std::filesystem::path>& files);

}  // namespace ball
