#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bullpen.h"
#include "import_messages.h"

// The columns of a session's file as a command line names them (--columns).
namespace ball {

/// The map a command line gives for a header: comma-separated ROLE=HEADER[:UNIT[:SIDE]], where
/// ROLE is one of kColumnRoles, UNIT km/h, mph or m/s for the speed and cm, in, ft or m for the
/// breaks and the release (one unit each), and SIDE of the horizontal break catcher or pitcher
/// (whose right is +). The map, or what is wrong with the text.
struct ColumnsOption {
    std::optional<ColumnMap> map;
    Said why = Said::RolesMissing;  // without a map
    Fill fill = {};
};
ColumnsOption parseColumnsOption(const std::string& text, const std::vector<std::string>& header);
/// The option that gives a map, for a header; empty where a name cannot be written in it (one
/// with a comma, a colon or an equals sign).
std::string columnsOptionText(const ColumnMap& map, const std::vector<std::string>& header);
/// The role names of the option, in Role order.
inline constexpr const char* kColumnRoles[kRoleCount] = {
    "pitcher",    "hand",      "type",         "auto_type",   "speed",  "spin",
    "efficiency", "tilt",      "axis",         "ivb",         "hb",     "rel_height",
    "rel_side",   "extension", "plate_height", "plate_side",  "batter", "batter_side",
    "game",       "inning",    "pa",           "pitch_number"};

}  // namespace ball
