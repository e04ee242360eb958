#include "arsenal_command.h"

#include <algorithm>
#include <iterator>

#include "arsenal_csv.h"
#include "arsenal_fit.h"
#include "import_messages.h"

namespace ball {

namespace {

// The session read for the command line: only each type's sums unless every pitch is asked for;
// notes and any refusal already in the result.
std::optional<Arsenal> imported(const std::string& path, Language language,
                                const ColumnSources& columns, bool keepPitches,
                                const std::function<void(const std::string&)>& progress,
                                CommandResult& r) {
    ImportScope scope{.mostRows = 0, .mostTypes = 0, .keepPitches = keepPitches};
    long long said = -1;
    if (progress) {
        scope.progress = [&](std::uint64_t done, std::uint64_t size) {
            const long long percent = size ? static_cast<long long>(done * 100 / size) : 100;
            if (percent != said) progress(importText(Said::Reading, language, {.count = said = percent}));
        };
    }
    SessionImport in = importSession(path, path, language, columns, scope);
    for (const std::string& note : in.notes) r.err += "ballview: " + note + "\n";
    if (!in.arsenal) {
        r.status = 1;
        r.err += "ballview: " + in.error + "\n";
        return std::nullopt;
    }
    return std::move(*in.arsenal);
}

}  // namespace

CommandResult arsenalCommand(const std::string& path, bool pairs, Language language,
                             const ColumnSources& columns, Pairing pairing,
                             const std::function<void(const std::string&)>& progress) {
    const bool consecutive = pairs && pairing == Pairing::Consecutive;
    CommandResult r;
    std::optional<Arsenal> read = imported(path, language, columns, consecutive, progress, r);
    if (!read) return r;
    Arsenal& all = *read;
    all.pairing = pairs ? pairing : Pairing::Means;
    const auto fitting = [&](int done) {
        const int total = static_cast<int>(all.types.size());
        if (progress) progress(importText(Said::Fitting, language, {.count = done, .limit = total}));
    };
    // The pairs' table says nothing of the types' spin: no design to read.
    const FitControl control{.design = !pairs};
    if (consecutive) {
        fitArsenal(all, control);
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
        fitArsenal(part, control);
        const std::string csv = pairs ? pairsCsv(part) : arsenalCsv(part);
        r.out += from == 0 ? csv : csv.substr(csv.find('\n') + 1);
        fitting(static_cast<int>(to));
    }
    return r;
}

CommandResult whatIfCommand(const std::string& path, const std::string& change, bool pairs,
                            Language language, const ColumnSources& columns) {
    CommandResult r;
    std::string error;
    const std::optional<WhatIf> w = parseWhatIf(change, error, language);
    std::optional<Arsenal> read;
    if (w) read = imported(path, language, columns, false, {}, r);
    if (!w || !read) {
        r.status = r.status ? r.status : 2;
        if (!w) r.err += "ballview: " + error + "\n";
        return r;
    }
    Arsenal& all = *read;
    const auto named = std::find_if(all.types.begin(), all.types.end(), [&](const PitchType& t) {
        return t.type == w->type && (w->pitcher.empty() || t.pitcher == w->pitcher);
    });
    if (named == all.types.end()) {
        r.status = 1;
        const bool any = w->pitcher.empty();
        r.err += language == Language::English
                     ? "ballview: no type '" + w->type + "'" +
                           (any ? "" : " of '" + w->pitcher + "'") + " in '" + path + "'\n"
                     : "ballview: '" + path + "' に" + (any ? "" : " '" + w->pitcher + "' の") +
                           "球種 '" + w->type + "' はありません\n";
        return r;
    }
    const std::optional<PitchType> changed = changedType(*named, *w, error, language);
    if (!changed) {
        r.status = 1;
        r.err += "ballview: " + error + "\n";
        return r;
    }
    // Its pitcher's types as measured, that one as changed; only the pairs need the others
    // fitted, and its row alone the type itself.
    PitcherTypes part = pitcherTypes(all, static_cast<int>(named - all.types.begin()));
    if (pairs) {
        fitArsenal(part.arsenal);
    } else {
        part.arsenal.types = {*named}, part.type = 0;
    }
    WhatIfOutcome out = whatIfOutcome(part.arsenal, part.type, *changed);
    part.arsenal.types = std::move(out.types);
    part.arsenal.pairs = std::move(out.pairs);
    r.out = pairs ? pairsCsv(part.arsenal) : arsenalCsv(part.arsenal);
    return r;
}

}  // namespace ball
