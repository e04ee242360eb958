#include "column_guess.h"

#include <algorithm>
#include <array>

namespace ball {

namespace {

// A name without what follows its first parenthesis, folded, its blanks and underscores gone.
std::string bare(const std::string& name) {
    std::string out;
    for (char c : asciiLower(name.substr(0, name.find('(')))) {
        if (c != ' ' && c != '_' && c != '-' && c != '.') out += c;
    }
    return out;
}

struct Names {
    Role role;
    std::vector<const char*> names;  // bare
};

// The names a role goes by, the likeliest first; a name of a later role never steals an
// earlier one's column.
const std::array<Names, 19> kNames = {{
    {Role::Pitcher, {"pitcher", "playername", "player", "name", "投手", "選手"}},
    {Role::Hand, {"pitcherthrows", "throws", "hand", "pthrows", "利き腕"}},
    {Role::Type, {"pitchtype", "taggedpitchtype", "type", "pitchname", "球種"}},
    {Role::AutoType, {"autopitchtype"}},
    {Role::Speed, {"velocity", "speed", "releasespeed", "relspeed", "velo", "球速", "速度"}},
    {Role::Spin, {"totalspin", "spinrate", "spin", "releasespinrate", "rpm", "回転数"}},
    {Role::Efficiency, {"spinefficiency", "efficiency", "回転効率"}},
    {Role::Tilt, {"spindirection", "tilt", "回転方向"}},
    {Role::SpinAxis, {"spinaxis"}},
    {Role::Vertical, {"vb", "inducedvertbreak", "ivb", "inducedverticalbreak", "verticalbreak",
                      "縦の変化量", "縦変化"}},
    {Role::Horizontal, {"hb", "horzbreak", "horizontalbreak", "横の変化量", "横変化"}},
    {Role::RelHeight, {"releaseheight", "relheight", "リリースの高さ"}},
    {Role::RelSide, {"releaseside", "relside", "リリースの横"}},
    {Role::Extension, {"releaseextension", "extension", "エクステンション"}},
    {Role::PlateHeight, {"strikezoneheight", "platelocheight", "plateheight"}},
    {Role::PlateSide, {"strikezoneside", "platelocside", "plateside"}},
    {Role::Batter, {"batter", "打者"}},
    {Role::BatterSide, {"batterside", "stand", "打者の左右"}},
    {Role::PitchNumber, {"pitchno", "pitchnumber"}},
}};

bool has(const std::string& name, const char* part) {
    return asciiLower(name).find(part) != std::string::npos;
}

}  // namespace

ColumnMap guessColumns(const std::vector<std::string>& header) {
    ColumnMap m;
    std::vector<bool> taken(header.size(), false);
    // Each once: a cell longer than any name is none (a file of one long line is not slow).
    std::vector<std::string> bares;
    for (const std::string& cell : header) bares.push_back(cell.size() > 200 ? "" : bare(cell));
    for (const Names& n : kNames) {
        for (const char* name : n.names) {
            for (std::size_t c = 0; c < header.size() && m[n.role] < 0; ++c) {
                // A device that gives a break two ways: the flight's, not the spin's.
                if (taken[c] || bares[c] != name || has(header[c], "(spin")) continue;
                m[n.role] = static_cast<int>(c);
                taken[c] = true;
            }
        }
    }
    const auto unitOf = [&](Role r) { return m[r] >= 0 ? asciiLower(header[m[r]]) : std::string(); };
    const std::string speed = unitOf(Role::Speed);
    if (speed.find("mph") != std::string::npos) m.speed = SpeedUnit::Mph;
    if (speed.find("m/s") != std::string::npos) m.speed = SpeedUnit::MetresPerSecond;
    const auto length = [](const std::string& name, LengthUnit fallback) {
        if (name.find("(in") != std::string::npos || name.find("inch") != std::string::npos) {
            return LengthUnit::Inch;
        }
        if (name.find("(ft") != std::string::npos || name.find("feet") != std::string::npos) {
            return LengthUnit::Foot;
        }
        if (name.find("(cm") != std::string::npos) return LengthUnit::Cm;
        if (name.find("(m)") != std::string::npos) return LengthUnit::Metre;
        return fallback;
    };
    m.breaks = length(unitOf(Role::Vertical) + unitOf(Role::Horizontal), m.breaks);
    m.release = length(unitOf(Role::RelHeight) + unitOf(Role::RelSide) +
                           unitOf(Role::Extension) + unitOf(Role::PlateHeight),
                       m.release);
    return m;
}

CsvTable withHeaderFound(const CsvTable& table) {
    const auto named = [](const std::vector<std::string>& row) {
        return knownColumns(row) || guessColumns(row).usable();
    };
    if (named(table.header)) return table;
    for (std::size_t i = 0; i < table.rows.size() && i < 20; ++i) {
        if (!named(table.rows[i])) continue;
        CsvTable found = table;
        found.header = table.rows[i];
        found.rows.assign(table.rows.begin() + static_cast<long>(i) + 1, table.rows.end());
        found.lines.assign(table.lines.begin() + static_cast<long>(i) + 1, table.lines.end());
        return found;
    }
    return table;
}

}  // namespace ball
