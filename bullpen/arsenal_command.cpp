#include "arsenal_command.h"

#include <iterator>

#include "arsenal_csv.h"
#include "arsenal_fit.h"
#include "import_messages.h"

namespace ball {

CommandResult arsenalCommand(const std::string& path, bool pairs, Language language,
                             const ColumnSources& columns, Pairing pairing,
                             const std::function<void(const std::string&)>& progress) {
    const bool consecutive = pairs && pairing == Pairing::Consecutive;
    ImportScope scope{.mostRows = 0, .mostTypes = 0, .keepPitches = consecutive};
    long long said = -1;
    if (progress) {
        scope.progress = [&](std::uint64_t done, std::uint64_t size) {
            const long long percent = size ? static_cast<long long>(done * 100 / size) : 100;
            if (percent != said) progress(importText(Said::Reading, language, {.count = said = percent}));
        };
    }
    SessionImport in = importSession(path, path, language, columns, scope);
    CommandResult r;
    for (const std::string& note : in.notes) r.err += "ballview: " + note + "\n";
    if (!in.arsenal) {
        r.status = 1;
        r.err += "ballview: " + in.error + "\n";
        return r;
    }
    Arsenal& all = *in.arsenal;
    all.pairing = pairs ? pairing : Pairing::Means;
    const auto fitting = [&](int done) {
        const int total = static_cast<int>(all.types.size());
        if (progress) progress(importText(Said::Fitting, language, {.count = done, .limit = total}));
    };
    if (consecutive) {
        fitArsenal(all);
        r.out = pairsCsv(all);
        return r;
    }
    // Whole pitchers, a few dozen types at a time: only their flights are held, whatever the
    // number of pitchers, and the fits of each part still keep every core busy.
    constexpr std::size_t kTypesAtATime = 64;
    for (std::size_t from = 0, to = 0; from < all.types.size(); from = to) {
        while (to < all.types.size() &&
               (to - from < kTypesAtATime || all.types[to].pitcher == all.types[to - 1].pitcher)) {
            ++to;
        }
        Arsenal part;
        part.types.assign(std::make_move_iterator(all.types.begin() + static_cast<long>(from)),
                          std::make_move_iterator(all.types.begin() + static_cast<long>(to)));
        part.targetColumn = all.targetColumn, part.targetRow = all.targetRow;
        fitArsenal(part);
        const std::string csv = pairs ? pairsCsv(part) : arsenalCsv(part);
        r.out += from == 0 ? csv : csv.substr(csv.find('\n') + 1);
        fitting(static_cast<int>(to));
    }
    return r;
}

}  // namespace ball
