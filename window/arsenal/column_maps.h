#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bullpen/bullpen.h"

/// The column maps the user chose for headers the program does not know, kept in the user's
/// settings (~/.config/ballview/ballview.conf) under a hash of the header, for the window and
/// the command line alike.

/// The map remembered for the header, where one is and fits it.
std::optional<ball::ColumnMap> rememberedColumns(const std::vector<std::string>& header);
/// Remembers the map for the header.
void rememberColumns(const std::vector<std::string>& header, const ball::ColumnMap& map);
