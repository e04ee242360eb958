#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace ball {

/// A spreadsheet's rows as text: what a tracking device or a spreadsheet program saves.
struct CsvTable {
    std::vector<std::string> header;             // the first row's fields, trimmed
    std::vector<std::vector<std::string>> rows;  // every later row that is not blank
    std::vector<int> lines;                      // the line each row starts on, from 1
    char delimiter = ',';
    std::string encoding = "UTF-8";  // or "Shift_JIS"
    bool cut = false;                // rows or fields beyond the limits below were left out
};

/// Larger than any session a device exports (a season of one team is a few MiB); a larger
/// file is not read. Within it, the rows and each row's fields are bounded too, so that no file
/// of that size takes more than a few hundred MB to hold.
constexpr std::size_t kMaxCsvBytes = 16u << 20;
constexpr std::size_t kMaxCsvRows = 100000;
constexpr std::size_t kMaxCsvFields = 1000;

/// Reads text in UTF-8 (with or without a byte-order mark) or, where it is not UTF-8, in
/// Shift_JIS as Windows saves it; the delimiter is the one of comma, tab and semicolon that
/// the first row holds most of. Fields may be quoted, with "" for a quote and line ends inside.
/// Rows past kMaxCsvRows and fields past kMaxCsvFields are left out, and the table says so.
CsvTable parseCsv(const std::string& bytes);

/// Reads a file of at most kMaxCsvBytes with parseCsv. Raises RunError naming the file, as the
/// data files' readers do.
CsvTable readCsv(const std::filesystem::path& path);

}  // namespace ball
