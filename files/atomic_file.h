#pragma once

#include <filesystem>
#include <functional>
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
/// A file keeps its permissions, and a link is followed to the file it names. Errors name the
/// file with its role: FileWriteFailure when the file or its folder refuses (saying which, and
/// when the file is another user's in a shared folder), and NotARegularFile when something else
/// stands at the name.
class ReplaceGroup {
public:
    ReplaceGroup() = default;
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
        std::filesystem::path temporary;  // its new content, until the commit renames it
        std::string name;                 // as the caller named it, for errors
        FileRole role;
    };
    std::vector<Staged> staged_;
};

/// Replaces one file with the bytes, as a group of one.
void replaceFile(const std::filesystem::path& path, std::string_view bytes, FileRole role);

/// Puts the files back as they were before a commit that a crash cut short, and removes what
/// such a commit, or a write cut short, left beside them (only names this program makes); only
/// when no other program holds a lock on their folder. Returns whether it undid a commit.
bool recoverReplaced(const std::vector<std::filesystem::path>& files);

}  // namespace ball
