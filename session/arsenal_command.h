#pragma once

#include <string>

// `ballview --arsenal FILE.csv [--pairs]`: the arsenal for scripts, without a window.
namespace ball {

struct CommandResult {
    int status = 0;   // 0, or 1 for a file that cannot be used
    std::string out;  // standard output: the CSV
    std::string err;  // standard error: skipped rows, or why nothing was read
};

/// The types of the session in the file as CSV, or with pairs its type pairs; messages in
/// English or Japanese.
CommandResult arsenalCommand(const std::string& path, bool pairs, bool english);

}  // namespace ball
