#include "arsenal_command.h"

#include "arsenal.h"
#include "column_option.h"
#include "import_messages.h"
#include "session/messages.h"

namespace ball {

namespace {

std::string runErrorText(const RunError& e, bool english) {
    if (!english) return errorMessage(e);
    switch (e.kind()) {
        case ErrorKind::FileNotFound:
            return "cannot open '" + e.detail() + "': file not found";
        case ErrorKind::PermissionDenied:
            return "cannot open '" + e.detail() + "': permission denied";
        case ErrorKind::NotARegularFile:
            return "'" + e.detail() + "' is not a regular file";
        case ErrorKind::BadFileData:
            if (e.limit() > 0) {
                return "cannot read '" + e.detail() + "': " + std::to_string(e.size()) +
                       " bytes, more than the " + std::to_string(e.limit()) + " read";
            }
            return "cannot read '" + e.detail() + "'";
        default:
            return e.what();
    }
}

}  // namespace

CommandResult arsenalCommand(const std::string& path, bool pairs, bool english,
                             const ColumnSources& columns) {
    CommandResult r;
    const auto fail = [&](const std::string& why) {
        r.status = 1;
        r.err = "ballview: " + why + "\n";
        return r;
    };
    CsvTable table;
    try {
        table = readCsv(path);
    } catch (const RunError& e) {
        return fail(runErrorText(e, english));
    }
    if (const std::string why = unreadableTableMessage(table, path, english); !why.empty()) {
        return fail(why);
    }
    std::optional<ColumnMap> map;
    if (!columns.option.empty()) {
        const ColumnsOption given = parseColumnsOption(columns.option, table.header);
        if (!given.map) return fail(given.error);
        map = given.map;
    }
    if (!map) map = knownColumns(table.header);
    if (!map && columns.remembered) map = columns.remembered(table.header);
    if (!map) {
        return fail(english ? "'" + path +
                                  "': its columns are neither TrackMan's nor ballview's own "
                                  "(pitcher,hand,type,speed_kmh,spin_rpm,efficiency_pct,tilt,"
                                  "ivb_cm,hb_cm); name them with --columns (see --help), or "
                                  "map them once in the window (ファイル → 投球データを開く…)"
                            : noKnownColumnsMessage(path) +
                                  "\nコマンドラインでは --columns で列を指定します（--help を参照）。");
    }
    Arsenal a = groupArsenal(readBullpen(table, *map));
    for (const std::string& note : tableReadingNotes(table, path, english)) {
        r.err += "ballview: " + note + "\n";
    }
    if (!a.bullpen.skippedLines.empty()) {
        const std::vector<int>& lines = a.bullpen.skippedLines;
        if (english) {
            r.err += "ballview: skipped " + std::to_string(lines.size()) +
                     " rows with a value missing or out of range (lines";
            constexpr std::size_t kShown = 20;
            for (std::size_t i = 0; i < lines.size() && i < kShown; ++i) {
                r.err += ' ';
                r.err += std::to_string(lines[i]);
            }
            r.err += lines.size() > kShown ? " and more)\n" : ")\n";
        } else {
            r.err += "ballview: " + skippedRowsMessage(lines) + "\n";
        }
    }
    if (a.types.empty()) {
        const std::string why =
            english ? "'" + path + "' has no usable row" : noUsableRowMessage(path);
        r.err += "ballview: " + why + "\n";
        r.status = 1;
        return r;
    }
    if (const std::optional<TypeExcess> many = typeExcess(a)) {
        return fail(english ? "'" + path + "' has " + std::to_string(many->count) + " pitch types" +
                                  (many->pitcher.empty() ? "" : " for " + many->pitcher) +
                                  " (at most " + std::to_string(many->limit) +
                                  "): is the type column the right one?"
                            : tooManyTypesMessage(path, many->pitcher, many->count, many->limit));
    }
    fitArsenal(a);
    r.out = pairs ? pairsCsv(a) : arsenalCsv(a);
    return r;
}

}  // namespace ball
