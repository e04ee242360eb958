#pragma once

#include <string>

#include "session_import.h"

// `ballview --arsenal FILE.csv [--pairs]`: the arsenal for scripts, without a window.
namespace ball {

struct CommandResult {
    int status = 0;   // 0, or 1 for a file that cannot be used
    std::string out;  // standard output: the CSV
    std::string err;  // standard error: what reading noted, or why nothing was read
};

/// The types of the session in the file as CSV, or with pairs its pairs of types, formed as
/// the pairing says. A file of any size: only consecutive pairs keep each pitch read. Progress
/// is said, a line at a time, where asked for.
CommandResult arsenalCommand(const std::string& path, bool pairs, Language language,
                             const ColumnSources& columns = {}, Pairing pairing = Pairing::Means,
                             const std::function<void(const std::string&)>& progress = {});

/// `--what-if CHANGE` beside `--arsenal FILE`: the named type's row as changed (see
/// parseWhatIf), or with pairs its pairs with its pitcher's other types; status 2 for a change
/// that cannot be read.
CommandResult whatIfCommand(const std::string& path, const std::string& change, bool pairs,
                            Language language, const ColumnSources& columns = {});

}  // namespace ball
