#include "column_option.h"

#include <algorithm>
#include <sstream>

namespace ball {

ColumnsOption parseColumnsOption(const std::string& text, const std::vector<std::string>& header) {
    ColumnMap m;
    std::optional<LengthUnit> breaks, release;
    const auto lengthUnit = [](const std::string& u) -> std::optional<LengthUnit> {
        if (u == "cm") return LengthUnit::Cm;
        if (u == "in") return LengthUnit::Inch;
        if (u == "ft") return LengthUnit::Foot;
        if (u == "m") return LengthUnit::Metre;
        return std::nullopt;
    };
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, ',');) {
        const std::size_t eq = item.find('=');
        const auto fail = [&](Said why, const std::string& word = {}) {
            return ColumnsOption{std::nullopt, why, {.item = item, .word = word}};
        };
        if (eq == std::string::npos) return fail(Said::NotRoleEqualsHeader);
        const std::string role = item.substr(0, eq);
        std::vector<std::string> parts;
        std::istringstream rest(item.substr(eq + 1));
        for (std::string part; std::getline(rest, part, ':');) parts.push_back(part);
        const auto r = std::find(std::begin(kColumnRoles), std::end(kColumnRoles), role);
        if (r == std::end(kColumnRoles)) return fail(Said::NoSuchRole, role);
        const auto at = std::find(header.begin(), header.end(), parts.empty() ? "" : parts[0]);
        if (at == header.end()) return fail(Said::NoSuchColumn);
        const auto index = static_cast<Role>(r - std::begin(kColumnRoles));
        m[index] = static_cast<int>(at - header.begin());
        const std::string unit = parts.size() > 1 ? parts[1] : "";
        if (parts.size() > (index == Role::Horizontal ? 3u : 2u)) return fail(Said::TooManyParts);
        if (unit.empty()) continue;
        if (index == Role::Speed) {
            if (unit == "km/h") m.speed = SpeedUnit::Kmh;
            else if (unit == "mph") m.speed = SpeedUnit::Mph;
            else if (unit == "m/s") m.speed = SpeedUnit::MetresPerSecond;
            else return fail(Said::NotASpeedUnit);
            continue;
        }
        const bool isBreak = index == Role::Vertical || index == Role::Horizontal;
        const bool isRelease =
            index == Role::RelHeight || index == Role::RelSide || index == Role::Extension ||
            index == Role::PlateHeight || index == Role::PlateSide;
        const std::optional<LengthUnit> length = lengthUnit(unit);
        if (!(isBreak || isRelease) || !length) return fail(Said::NoSuchUnit, unit);
        std::optional<LengthUnit>& shared = isBreak ? breaks : release;
        if (shared && *shared != *length) return fail(Said::OneUnit);
        shared = length;
        if (parts.size() == 3) {
            if (parts[2] != "catcher" && parts[2] != "pitcher") {
                return fail(Said::NotASide);
            }
            m.plusToPitchersRight = parts[2] == "pitcher";
        }
    }
    if (breaks) m.breaks = *breaks;
    if (release) m.release = *release;
    if (!m.usable()) return {};
    return {m};
}

std::string columnsOptionText(const ColumnMap& map, const std::vector<std::string>& header) {
    const char* const speeds[] = {"km/h", "mph", "m/s"};
    const char* const lengths[] = {"cm", "in", "ft", "m"};
    std::string text;
    for (int r = 0; r < kRoleCount; ++r) {
        const int c = map.column[r];
        if (c < 0 || static_cast<std::size_t>(c) >= header.size()) continue;
        const std::string& name = header[c];
        if (name.find_first_of(",:=") != std::string::npos) return {};
        const auto role = static_cast<Role>(r);
        // Built by appending: GCC warns falsely of overlap on a literal plus a string.
        if (!text.empty()) text += ',';
        text += kColumnRoles[r];
        text += '=';
        text += name;
        const char* unit = nullptr;
        if (role == Role::Speed) unit = speeds[static_cast<int>(map.speed)];
        if (role == Role::Vertical || role == Role::Horizontal) {
            unit = lengths[static_cast<int>(map.breaks)];
        }
        if (role >= Role::RelHeight && role <= Role::PlateSide) {
            unit = lengths[static_cast<int>(map.release)];
        }
        if (unit) {
            text += ':';
            text += unit;
        }
        if (role == Role::Horizontal) text += map.plusToPitchersRight ? ":pitcher" : ":catcher";
    }
    return text;
}

}  // namespace ball
