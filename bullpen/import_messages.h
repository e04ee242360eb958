#pragma once

#include <string>
#include <vector>

#include "files/csv_table.h"

// What reading a measured session's file tells the user, as UTF-8.
namespace ball {

/// A measured session whose columns are in no known vocabulary.
std::string noKnownColumnsMessage(const std::string& file);
/// A measured session of more types than a pitcher throws.
std::string tooManyTypesMessage(const std::string& file, const std::string& pitcher, int count,
                                int limit);
/// A measured session larger than what is read of it.
std::string cutTableMessage();
/// Why a measured session's file holds nothing to read (empty, or not text); empty when it
/// does. In English or Japanese.
std::string unreadableTableMessage(const CsvTable& table, const std::string& file, bool english);
/// What reading a measured session's file changed or left out (bytes its encoding cannot read,
/// a quote never closed, rows past the limits), one line each.
std::vector<std::string> tableReadingNotes(const CsvTable& table, const std::string& file,
                                           bool english);
/// A measured session without one row to use.
std::string noUsableRowMessage(const std::string& file);

}  // namespace ball
