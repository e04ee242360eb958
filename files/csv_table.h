#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "field_reader.h"

namespace ball {

/// A spreadsheet's rows as text: what a tracking device or a spreadsheet program saves.
struct CsvTable {
    std::vector<std::string> header;             // the first row's fields, trimmed
    std::vector<std::vector<std::string>> rows;  // every later row that is not blank
    std::vector<int> lines;                      // the line each row starts on, from 1
    char delimiter = ',';
    std::string encoding = "UTF-8";  // or "Shift_JIS"
    bool cut = false;                // rows or fields beyond the limits below were left out
    bool binary = false;             // not text at all: nothing was read
    int badByteLine = 0;       // the first line with a byte the encoding cannot read, or 0
    int unclosedQuoteLine = 0; // the line of a quote never closed, taken as a character, or 0
};

/// The rows of one table, and each row's fields, are bounded, so that no table takes more than
/// a few hundred MB to hold: a longer file is read as a stream of tables (CsvStream).
constexpr std::size_t kMaxCsvRows = 100000;
constexpr std::size_t kMaxCsvFields = 1000;

/// Reads text in UTF-8 (with or without a byte-order mark) or in Shift_JIS as Windows saves it:
/// Shift_JIS only where the bytes read cleanly as it and not as UTF-8; a file mostly in UTF-8
/// keeps it, with each unreadable byte a U+FFFD, as is a NUL, and the table names the first
/// line with one. The delimiter is the one of comma, tab and semicolon that the first row holds
/// most of. Fields may be quoted, with "" for a quote and line ends inside; a quote still open
/// at the end is taken as a character, so that the rows after it are rows. Rows past
/// kMaxCsvRows and fields past kMaxCsvFields are left out, and the table says so. Bytes that are
/// not text (control bytes beyond a few) are not read: the table says it is binary.
CsvTable parseCsv(const std::string& bytes);

/// A field as a spreadsheet should take it: one it would run as a formula (starting with =, +,
/// -, @, a tab or a carriage return, and not a number) gets a leading apostrophe.
std::string spreadsheetText(std::string_view field);

/// A field of a comma-separated line: spreadsheetText, quoted where it holds a comma, a quote
/// or a line end.
std::string csvField(std::string_view field);

/// A CSV file of any size read a block of rows at a time, each block as parseCsv reads a file:
/// the memory of one block, whatever the file's size. The encoding and the delimiter are the
/// ones its beginning reads in.
class CsvStream {
public:
    /// Opens the file. Raises RunError naming the file, as the data files' readers do:
    /// FileNotFound, PermissionDenied, NotARegularFile; BadFileData when a read fails.
    explicit CsvStream(const std::filesystem::path& path);

    /// The next block: the first one holds the header; each row keeps its line in the file.
    /// False once the file is read, or after a first block that is not text.
    bool next(CsvTable& block);
    /// The bytes read into blocks so far, and the file's size when it was opened.
    std::uint64_t done() const { return done_; }
    std::uint64_t size() const { return in_.size(); }
    /// What the blocks so far say of the file as a whole: its header, encoding and delimiter,
    /// and the first line of each fault (no rows).
    const CsvTable& file() const { return file_; }

private:
    std::size_t nextCut(int& lines);

    FilePieces in_;
    std::string buffer_;
    std::uint64_t done_ = 0;
    int line_ = 1;  // where the next block begins
    bool first_ = true, atEnd_ = false, ended_ = false;
    CsvTable file_;
};


}  // namespace ball
