#include "arsenal_command.h"

#include <mutex>

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
    in.arsenal->pairing = pairs ? pairing : Pairing::Means;
    FitControl control;
    std::mutex saying;  // the fits say their progress from each thread
    int shown = -1;
    if (progress) {
        control.progress = [&](int done, int total) {
            const std::lock_guard lock(saying);
            // A hundred steps at most: a line for each fit would slow a season down.
            if (done * 100LL / total == shown) return;
            shown = static_cast<int>(done * 100LL / total);
            progress(importText(Said::Fitting, language, {.count = done, .limit = total}));
        };
    }
    fitArsenal(*in.arsenal, control);
    r.out = pairs ? pairsCsv(*in.arsenal) : arsenalCsv(*in.arsenal);
    return r;
}

}  // namespace ball
