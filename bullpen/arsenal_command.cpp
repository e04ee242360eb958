#include "arsenal_command.h"

#include "arsenal_csv.h"
#include "arsenal_fit.h"

namespace ball {

CommandResult arsenalCommand(const std::string& path, bool pairs, Language language,
                             const ColumnSources& columns, Pairing pairing) {
    SessionImport in = importSession(path, path, language, columns);
    CommandResult r;
    for (const std::string& note : in.notes) r.err += "ballview: " + note + "\n";
    if (!in.arsenal) {
        r.status = 1;
        r.err += "ballview: " + in.error + "\n";
        return r;
    }
    in.arsenal->pairing = pairs ? pairing : Pairing::Means;
    fitArsenal(*in.arsenal);
    r.out = pairs ? pairsCsv(*in.arsenal) : arsenalCsv(*in.arsenal);
    return r;
}

}  // namespace ball
