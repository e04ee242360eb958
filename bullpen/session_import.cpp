#include "session_import.h"

#include "column_guess.h"
#include "column_option.h"
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
            if (e.limit() > 0) {
                return importText(Said::TooLarge, language,
                                  {.file = e.detail(),
                                   .count = static_cast<long long>(e.size()),
                                   .limit = static_cast<long long>(e.limit())});
            }
            return importText(Said::Unreadable, language, file);
        default:
            return e.what();
    }
}

}  // namespace

SessionImport importSession(const std::string& path, const std::string& file, Language language,
                            const ColumnSources& columns) {
    SessionImport r;
    CsvTable table;
    try {
        table = readCsv(path);
    } catch (const RunError& e) {
        r.error = readErrorText(e, language);
        return r;
    }
    r.error = unreadableTableMessage(table, file, language);
    if (!r.error.empty()) return r;
    table = withHeaderFound(table);

    std::optional<ColumnMap> map;
    if (!columns.option.empty()) {
        const ColumnsOption given = parseColumnsOption(columns.option, table.header);
        if (!given.map) {
            r.error = importText(given.why, language, given.fill);
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
    Bullpen bullpen;
    if (usable) bullpen = readBullpen(table, *map);
    // Asked for a header not known, again when asked for, and again when a remembered answer
    // reads no row at all (a choice made wrongly once is not kept for ever).
    if (columns.ask && (!usable || columns.askAgain || (remembered && bullpen.pitches.empty()))) {
        map = columns.ask(table, map ? *map : guessColumns(table.header));
        if (!map) return r;
        bullpen = readBullpen(table, *map);
    } else if (!usable) {
        r.error = importText(Said::UnknownColumns, language, {.file = file});
        const ColumnMap guess = guessColumns(table.header);
        const std::string option = guess.usable() ? columnsOptionText(guess, table.header) : "";
        if (!option.empty()) {
            r.error += '\n';
            r.error += importText(Said::ColumnsGuess, language, {.item = option});
        }
        return r;
    }

    r.notes = tableReadingNotes(table, file, language);
    if (std::string skipped = skippedRowsMessage(bullpen.skippedLines, language);
        !skipped.empty()) {
        r.notes.push_back(std::move(skipped));
    }
    if (bullpen.pitches.empty()) {
        r.error = importText(Said::NoUsableRow, language, {.file = file});
        return r;
    }
    Arsenal arsenal = groupArsenal(std::move(bullpen));
    if (const std::optional<TypeExcess> many = typeExcess(arsenal)) {
        r.error = importText(
            many->pitcher.empty() ? Said::TooManyTypesInFile : Said::TooManyTypes, language,
            {.file = file, .pitcher = many->pitcher, .count = many->count, .limit = many->limit});
        return r;
    }
    r.arsenal = std::move(arsenal);
    return r;
}

}  // namespace ball
