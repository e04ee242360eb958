#pragma once

#include <string>
#include <vector>

#include "files/csv_table.h"

// What importing a measured session tells the user, in Japanese or English, as UTF-8.
namespace ball {

enum class Language { Japanese, English };

/// Each thing importing a session can say. The file's own read errors are said in Japanese by
/// the run errors' messages, the ones every window shows.
enum class Said {
    FileNotFound,  // English only, as the rest of a read error
    PermissionDenied,
    NotARegularFile,
    Unreadable,
    NotText,
    Empty,
    BadBytes,
    UnclosedQuote,
    Cut,
    UnknownColumns,
    NoUsableRow,
    TooManyTypes,
    TooManyTypesInFile,  // of a file without pitchers
    OnePitcherAtFirst,
    TooManyTypesByLine,  // read as a stream: where the limit was passed
    TooManyTypesByLineUnnamed,
    RowsLeftOut,
    Reading,  // progress on a terminal
    Fitting,
    SkippedRows,
    NotRoleEqualsHeader,  // --columns
    NoSuchRole,
    NoSuchColumn,
    TooManyParts,
    NotASpeedUnit,
    NoSuchUnit,
    OneUnit,
    NotASide,
    RolesMissing,
    RelHeight,  // a type's release point and location, named where it lacks them
    RelSide,
    Extension,
    PlateHeight,
    PlateSide,
    ThrownAtTheCell,
    ColumnsGuess,
    Loaded,  // the window's status bar
};

/// What fills the {names} of a text.
struct Fill {
    std::string file = {}, pitcher = {}, encoding = {}, item = {}, word = {}, lines = {};
    long long line = 0, count = 0, limit = 0;
};

/// The text of a thing said, in the language, filled.
std::string importText(Said what, Language language, const Fill& fill = {});

/// Why a measured session's file holds nothing to read (empty, or not text); empty when it
/// does.
std::string unreadableTableMessage(const CsvTable& table, const std::string& file,
                                   Language language);
/// What reading a measured session's file changed or left out (bytes its encoding cannot read,
/// a quote never closed, rows past the limits), one line each.
std::vector<std::string> tableReadingNotes(const CsvTable& table, const std::string& file,
                                           Language language);
/// What to say of the skipped rows (their count and the first lines); empty when none was.
std::string skippedRowsMessage(const std::vector<int>& lines, Language language);

}  // namespace ball
