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
};

/// Larger than any session a device exports; a larger file is not read.
constexpr std::size_t kMaxCsvBytes = 32u << 20;

/// Reads text in UTF-8 (with or without a byte-order mark) or, where it is not UTF-8, in
/// Shift_JIS as Windows saves it; the delimiter is the one of comma, tab and semicolon that
/// the first row holds most of. Fields may be quoted, with "" for a quote and line ends inside.
CsvTable parseCsv(const std::string& bytes);

/// Reads a file of at most kMaxCsvBytes with parseCsv. Raises RunError naming the file, as the
/// data files' readers do.
CsvTable readCsv(const std::filesystem::path& path);

}  // namespace ball
