#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bullpen.h"

// `ballview --arsenal FILE.csv [--pairs]`: the arsenal for scripts, without a window.
namespace ball {

struct CommandResult {
    int status = 0;   // 0, or 1 for a file that cannot be used
    std::string out;  // standard output: the CSV
    std::string err;  // standard error: skipped rows, or why nothing was read
};

/// Where the columns of a header come from beside the vocabularies the program knows: a map
/// given on the command line (--columns), else the one the window remembers for that header.
struct ColumnSources {
    std::string option;  // the text of --columns; empty where none was given
    std::function<std::optional<ColumnMap>(const std::vector<std::string>& header)> remembered;
};

/// The types of the session in the file as CSV, or with pairs its type pairs; messages in
/// English or Japanese.
CommandResult arsenalCommand(const std::string& path, bool pairs, bool english,
                             const ColumnSources& columns = {});

}  // namespace ball
