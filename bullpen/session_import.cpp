#include "session_import.h"

#include "column_guess.h"
#include "column_option.h"
#include "type_tally.h"
#include "session/messages.h"

namespace ball {

namespace {

std::string readErrorText(const RunError& e, Language language) {
    if (language == Language::Japanese) return errorMessage(e);
    const Fill file{.file = e.detail()};
    switch (e.kind()) {
        case ErrorKind::FileNotFound:
            return importText(Said::FileNotFound, language, file);
        case ErrorKind::PermissionDenied:
            return importText(Said::PermissionDenied, language, file);
        case ErrorKind::NotARegularFile:
            return importText(Said::NotARegularFile, language, file);
        case ErrorKind::BadFileData:
            return importText(Said::Unreadable, language, file);
        default:
            return e.what();
    }
}

}  // namespace

namespace {

// The columns of the table's header: given, known, remembered, or asked. None with why (empty
// where the user declined to say); the rows the map read from the table beside it.
struct Columns {
    std::optional<ColumnMap> map;
    std::string why;
    Bullpen head;
};

Columns columnsOf(const CsvTable& table, const std::string& file, Language language,
                  const ColumnSources& columns) {
    Columns r;
    std::optional<ColumnMap>& map = r.map;
    if (!columns.option.empty()) {
        const ColumnsOption given = parseColumnsOption(columns.option, table.header);
        if (!given.map) {
            r.why = importText(given.why, language, given.fill);
            return r;
        }
        map = given.map;
    }
    if (!map) map = knownColumns(table.header);
    bool remembered = false;
    if (!map && columns.remembered) {
        map = columns.remembered(table.header);
        remembered = map.has_value();
    }
    const bool usable = map && map->usable();
    if (usable) r.head = readBullpen(table, *map);
    // Asked for a header not known, again when asked for, and again when a remembered answer
    // reads no row at all (a choice made wrongly once is not kept for ever).
    if (columns.ask && (!usable || columns.askAgain || (remembered && r.head.pitches.empty()))) {
        map = columns.ask(table, map ? *map : guessColumns(table.header));
        if (map) r.head = readBullpen(table, *map);
    } else if (!usable) {
        map.reset();
        r.why = importText(Said::UnknownColumns, language, {.file = file});
        const ColumnMap guess = guessColumns(table.header);
        const std::string option = guess.usable() ? columnsOptionText(guess, table.header) : "";
        if (!option.empty()) {
            r.why += '\n';
            r.why += importText(Said::ColumnsGuess, language, {.item = option});
        }
    }
    return r;
}

// A block's pitches into the bullpen kept, or into the sums alone; its skipped lines kept.
void fold(Bullpen&& more, const ImportScope& scope, Bullpen& kept, ArsenalTally& tally) {
    kept.skippedLines.insert(kept.skippedLines.end(), more.skippedLines.begin(),
                             more.skippedLines.end());
    if (scope.keepPitches) {
        kept.pitches.insert(kept.pitches.end(), std::make_move_iterator(more.pitches.begin()),
                            std::make_move_iterator(more.pitches.end()));
        return;
    }
    for (const BullpenPitch& p : more.pitches) {
        if (!tally.add(p, -1)) break;
    }
}

// The rows after the first block, read on; the line of the last row read where the scope's
// limit left rows out, or 0.
int readOn(CsvStream& stream, const ColumnMap& map, const ImportScope& scope, Bullpen& kept,
           std::size_t rows, int lastLine, ArsenalTally& tally) {
    CsvTable block;
    while (!tally.excess() && stream.next(block)) {
        if (scope.progress) scope.progress(stream.done(), stream.size());
        const bool full = scope.mostRows > 0 && rows + block.rows.size() > scope.mostRows;
        if (full) {
            // The limit may fall on a block's edge: then the last row read is the one before.
            const std::size_t room = scope.mostRows - rows;
            if (room > 0) lastLine = block.lines[room - 1];
            block.rows.resize(room), block.lines.resize(room);
        } else if (!block.lines.empty()) {
            lastLine = block.lines.back();
        }
        rows += block.rows.size();
        fold(readBullpen(block, map), scope, kept, tally);
        if (full) return lastLine;
    }
    return 0;
}

}  // namespace

SessionImport importSession(const std::string& path, const std::string& file, Language language,
                            const ColumnSources& columns, const ImportScope& scope) {
    SessionImport r;
    std::optional<CsvStream> stream;
    CsvTable table;
    try {
        stream.emplace(path);
        stream->next(table);
    } catch (const RunError& e) {
        r.error = readErrorText(e, language);
        return r;
    }
    r.error = unreadableTableMessage(table, file, language);
    if (!r.error.empty()) return r;
    table = withHeaderFound(table);
    Columns found = columnsOf(table, file, language, columns);
    if (!found.map) {
        r.error = std::move(found.why);
        return r;
    }
    if (scope.progress) scope.progress(stream->done(), stream->size());

    int lastLine = 0;
    if (scope.mostRows > 0 && table.rows.size() > scope.mostRows) {
        lastLine = table.lines[scope.mostRows - 1];
        table.rows.resize(scope.mostRows), table.lines.resize(scope.mostRows);
        found.head = readBullpen(table, *found.map);
    }
    Bullpen bullpen;
    ArsenalTally tally(true);
    fold(std::move(found.head), scope, bullpen, tally);
    try {
        if (lastLine == 0) {
            lastLine = readOn(*stream, *found.map, scope, bullpen, table.rows.size(),
                              table.lines.empty() ? 0 : table.lines.back(), tally);
        }
    } catch (const RunError& e) {
        r.error = readErrorText(e, language);
        return r;
    }

    r.notes = tableReadingNotes(stream->file(), file, language);
    if (lastLine > 0) {
        r.notes.push_back(importText(
            Said::RowsLeftOut, language,
            {.line = lastLine, .count = static_cast<long long>(scope.mostRows)}));
    }
    if (std::string skipped = skippedRowsMessage(bullpen.skippedLines, language);
        !skipped.empty()) {
        r.notes.push_back(std::move(skipped));
    }
    if (const std::optional<TypeExcess>& many = tally.excess()) {
        r.error = importText(many->pitcher.empty() ? Said::TooManyTypesByLineUnnamed
                                                     : Said::TooManyTypesByLine,
                             language,
                             {.file = file, .pitcher = many->pitcher, .line = many->line, .limit = many->limit});
        return r;
    }
    if (bullpen.pitches.empty() && tally.typeCount() == 0) {
        r.error = importText(Said::NoUsableRow, language, {.file = file});
        return r;
    }
    if (!scope.keepPitches) {
        r.arsenal = tally.arsenal(std::move(bullpen), BatterSide::All, {});
        return r;
    }
    Arsenal arsenal = groupArsenal(std::move(bullpen));
    if (const std::optional<TypeExcess> many = typeExcess(arsenal)) {
        r.error = importText(
            many->pitcher.empty() ? Said::TooManyTypesInFile : Said::TooManyTypes, language,
            {.file = file, .pitcher = many->pitcher, .count = many->count, .limit = many->limit});
        return r;
    }
    const int types = static_cast<int>(arsenal.types.size());
    if (scope.mostTypes > 0 && types > scope.mostTypes) {
        // A league's file in the window: one pitcher fitted at a time, not thousands of types.
        const std::string first = arsenal.types[0].pitcher;
        arsenal = groupArsenal(std::move(arsenal.bullpen), BatterSide::All, first);
        r.notes.push_back(importText(Said::OnePitcherAtFirst, language,
                                     {.file = file, .pitcher = first, .count = types}));
    }
    r.arsenal = std::move(arsenal);
    return r;
}

}  // namespace ball
