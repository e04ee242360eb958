#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "arsenal.h"
#include "import_messages.h"

// A measured session's file read into its types: one way, for the window and the command line.
namespace ball {

/// Where a header's columns come from beside the vocabularies the program knows.
struct ColumnSources {
    std::string option = {};  // the text of --columns: used first; empty where none was given
    /// The map remembered for a header, if any.
    std::function<std::optional<ColumnMap>(const std::vector<std::string>& header)> remembered = {};
    /// Asks which column is what, from a first guess; none when the user declines. Without it a
    /// header that is neither known nor remembered is refused.
    std::function<std::optional<ColumnMap>(const CsvTable& table, const ColumnMap& guess)> ask = {};
    bool askAgain = false;  // ask even where the columns are known or remembered
};

/// How much of a file is kept: every pitch, up to a number of rows (the window's, which shows
/// each one), or each type's sums alone (the command line's, for a file of any size).
struct ImportScope {
    std::size_t mostRows = kMaxCsvRows;  // 0: no limit
    // Where pitches are kept: more types in all than this (0: any number), and only the first
    // pitcher's are grouped at first, the rest a choice away.
    int mostTypes = 200;
    bool keepPitches = true;
    std::function<void(std::uint64_t done, std::uint64_t size)> progress = {};  // bytes read
};

/// What reading a session's file gave.
struct SessionImport {
    std::optional<Arsenal> arsenal = {};  // its types, not yet fitted; none when nothing is used
    std::string error = {};  // why none; empty where the user declined to name the columns
    std::vector<std::string> notes = {};  // what reading changed, left out or skipped
};

/// Reads the file at path, named file in what is said: the table, its columns (given, known,
/// remembered, or asked), its rows, its types, and the limits on them; the file is read as a
/// stream, a block of rows at a time.
SessionImport importSession(const std::string& path, const std::string& file, Language language,
                            const ColumnSources& columns, const ImportScope& scope = {});

}  // namespace ball
