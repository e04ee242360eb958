#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "number_text.h"
#include "physics/run_error.h"

namespace ball {

/// The whole of a regular file of at most maxBytes. Raises, naming the file: FileNotFound,
/// PermissionDenied, NotARegularFile (a folder, pipe or device, without waiting on it), and
/// BadFileData for a larger file or a failed read.
std::string readWholeFile(const std::filesystem::path& path, FileRole role, std::size_t maxBytes);

/// A regular file of any size, read a piece at a time. Opening raises as readWholeFile does.
class FilePieces {
public:
    FilePieces(const std::filesystem::path& path, FileRole role);
    ~FilePieces();
    FilePieces(const FilePieces&) = delete;
    FilePieces& operator=(const FilePieces&) = delete;

    /// Appends up to max more bytes to `to`; 0 at the end. Raises BadFileData when a read fails.
    std::size_t readSome(std::string& to, std::size_t max);
    /// Its size when it was opened.
    std::uint64_t size() const { return size_; }

private:
    int fd_;
    std::string name_;
    FileRole role_;
    std::uint64_t size_ = 0;
};

/// Reads a text file field by field: a comma or a line end closes a field, whatever the line
/// layout. The file is read whole on construction and closed at once.
class FieldReader {
public:
    /// Reads a regular file of at most maxBytes. Raises, naming the file: FileNotFound,
    /// PermissionDenied, NotARegularFile (a folder, pipe or device, without waiting on it), and
    /// BadFileData for a larger file.
    FieldReader(const std::filesystem::path& path, FileRole role, std::size_t maxBytes);
    /// Reads text already in memory, naming it `name` in errors.
    FieldReader(std::string name, FileRole role, std::string text);

    /// The next field as a number. Raises InputPastEndOfFile when no field is left, BadFileData
    /// when the field is not a number or longer than any number, Overflow beyond the float64
    /// range; each names the file.
    ScannedNumber next();

    /// Runs f; a RunError it raises without a detail is raised again naming this file, so that
    /// what the file's values cause downstream (overflow, subscript) is laid at its door.
    template <class F>
    void naming(F&& f) const {
        try {
            f();
        } catch (const RunError& e) {
            if (!e.detail().empty()) throw;
            throw RunError(e.kind(), name_, role_);
        }
    }

private:
    std::string name_;
    FileRole role_;
    std::string text_;
    std::size_t pos_ = 0;
};

}  // namespace ball
