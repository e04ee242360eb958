#pragma once

#include <string>
#include <vector>

#include "bullpen.h"
#include "files/csv_table.h"

// A first guess at the columns of a header the program does not know, for the user to check.
namespace ball {

/// Each role a header's names say, in English or Japanese ("Velocity", "Total Spin", "球速",
/// "VB (trajectory)", ...), with the units its names give ("(mph)", "(in)", "(ft)", "rpm").
/// Roles it cannot tell stay -1.
ColumnMap guessColumns(const std::vector<std::string>& header);

/// The table with its header found: where a device writes lines before it (a player's name, a
/// date), the first of the first 20 rows whose names the program knows or can guess a usable
/// map from; the table as it is otherwise.
CsvTable withHeaderFound(const CsvTable& table);

}  // namespace ball
