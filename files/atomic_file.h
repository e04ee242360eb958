#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "physics/run_error.h"

namespace ball {

/// Files replaced together, all or none. add() writes each whole to a temporary file beside it
/// and flushes it to disk; commit() renames them over their files while holding a lock on their
/// folder, so that two programs in one folder never mix their files, then flushes the folder.
/// A group dropped before its commit removes what it wrote, and every file stays as it was.
///
/// A file keeps its permissions, and a link is followed to the file it names. Errors name the
/// file with its role: FileWriteFailure when the file or its folder refuses (saying which), and
/// NotARegularFile when something else stands at the name.
class ReplaceGroup {
public:
    ReplaceGroup() = default;
    ReplaceGroup(const ReplaceGroup&) = delete;
    ReplaceGroup& operator=(const ReplaceGroup&) = delete;
    ~ReplaceGroup();

    /// Writes the bytes that are to replace the file, flushed to disk.
    void add(const std::filesystem::path& path, std::string_view bytes, FileRole role);
    /// Puts every added file in place.
    void commit();

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

}  // namespace ball
